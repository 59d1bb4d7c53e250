#include "controls/control.h"

#include <stdexcept>

namespace zan {

Control::Control(ControlRegistry& registry, std::string name, ControlKind kind)
    : name_(std::move(name)), kind_(kind) {
    registry.Add(*this);
}

void Control::SetParent(Control& parent) {
    parent_ = &parent;
    parent.children_.push_back(this);
}

void Control::Notify(Property property) {
    for (auto& observer : observers_) observer(property);
}

void Control::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Notify(Property::Caption);
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Notify(Property::Visible);
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (!held_) Notify(Property::Enabled);
}

void Control::SetHeld(bool held) {
    if (held_ == held) return;
    held_ = held;
    if (enabled_) Notify(Property::Enabled);
}

void Control::SetBackColour(const Colour& colour) {
    if (backColour_ == colour) return;
    backColour_ = colour;
    Notify(Property::BackColour);
}

void Control::SetToolTip(const std::string& tip) {
    toolTip_ = tip;
    Notify(Property::ToolTip);
}

void ControlRegistry::Add(Control& control) {
    if (!byName_.emplace(control.Name(), &control).second)
        throw std::logic_error("duplicate control name " + control.Name());
    ordered_.push_back(&control);
}

Control* ControlRegistry::Find(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : it->second;
}

}  // namespace zan
