#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/colour.h"

namespace zan {

// What changed on a control, so a view can update only that part.
enum class Property {
    Caption,
    Text,
    Visible,
    Enabled,
    Checked,
    Value,
    BackColour,
    ToolTip,
    Entries,
    Selection,
    Cells,
    Axes,
    Plots,
    Position,
    Focus,
    Items,
    Range
};

enum class ControlKind {
    Form,
    TabControl,
    TabPage,
    Frame,
    Label,
    CommandButton,
    MenuItem,
    TextBox,
    CheckBox,
    OptionButton,
    ListBox,
    ComboBox,
    FlexGrid,
    ProgressBar,
    Slider,
    Graph,
    NumEdit,
    Image,
    Shape
};

class ControlRegistry;

// A named element of a window: display and state at once. Every property
// change notifies the observers (the Qt binder, test probes).
class Control {
  public:
    using Observer = std::function<void(Property)>;

    Control(ControlRegistry& registry, std::string name, ControlKind kind);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    ControlKind Kind() const { return kind_; }

    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Children() const { return children_; }
    void SetParent(Control& parent);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_ && !held_; }
    void SetEnabled(bool enabled);
    // Held, the control is disabled whatever its own enabled state, which
    // it shows again (as last set, also while held) when let go.
    void SetHeld(bool held);
    const Colour& BackColour() const { return backColour_; }
    void SetBackColour(const Colour& colour);
    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(const std::string& tip);
    // A descriptive label that the view shows beside an input (its design label).
    const std::string& Description() const { return description_; }
    void SetDescription(const std::string& text) { description_ = text; }

    void Observe(Observer observer) { observers_.push_back(std::move(observer)); }

  protected:
    void Notify(Property property);

  private:
    std::string name_;
    ControlKind kind_;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    std::string caption_;
    bool visible_ = true;
    bool enabled_ = true;
    bool held_ = false;
    Colour backColour_ = kButtonGrey;
    std::string toolTip_;
    std::string description_;
    std::vector<Observer> observers_;
};

// Finds any control of a window by its name.
class ControlRegistry {
  public:
    void Add(Control& control);
    Control* Find(const std::string& name) const;
    const std::vector<Control*>& All() const { return ordered_; }

  private:
    std::map<std::string, Control*> byName_;
    std::vector<Control*> ordered_;
};

}  // namespace zan
