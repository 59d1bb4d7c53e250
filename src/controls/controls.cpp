#include "controls/controls.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace zan {
namespace {
[[noreturn]] void InvalidValue() { throw std::out_of_range("Invalid property value"); }
[[noreturn]] void OutOfRange() { throw std::out_of_range("Subscript out of range"); }
}  // namespace

void TabControl::SetCurrentTab(int tab) {
    if (tab == currentTab_) return;
    currentTab_ = tab;
    Notify(Property::Value);
}

void MenuItem::SetChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    Notify(Property::Checked);
}

void TextBox::SetText(const std::string& text) {
    if (text_ == text) return;
    text_ = text;
    Notify(Property::Text);
    if (onChange) onChange();
}

void TextBox::TypeChar(char c) {
    if (maxLength_ > 0 && static_cast<int>(text_.size()) >= maxLength_) return;
    SetText(text_ + c);
}

void TextBox::SetFocus() {
    if (focused_) return;
    focused_ = true;
    Notify(Property::Focus);
}

void TextBox::LoseFocus() {
    if (!focused_) return;
    focused_ = false;
    Notify(Property::Focus);
    if (onLostFocus) onLostFocus();
}

void TextBox::Move(int left, int top) {
    left_ = left;
    top_ = top;
    Notify(Property::Position);
}

void CheckBox::SetValue(int value) {
    if (value < 0 || value > 2) InvalidValue();
    if (value_ == value) return;
    value_ = value;
    Notify(Property::Value);
    if (onClick) onClick();
}

void OptionButton::SetValue(bool value) {
    if (value_ == value) return;
    value_ = value;
    Notify(Property::Value);
    if (value && Parent()) {
        for (Control* sibling : Parent()->Children()) {
            auto* option = dynamic_cast<OptionButton*>(sibling);
            if (option && option != this) option->SetValue(false);
        }
    }
    if (value && onClick) onClick();
}

std::string ListBox::Entry(int index) const {
    if (index < 0 || index >= Count()) return {};
    return entries_[static_cast<size_t>(index)];
}

void ListBox::SetEntry(int index, const std::string& text) {
    if (index < 0 || index > Count()) OutOfRange();
    if (index == Count())
        entries_.push_back(text);
    else
        entries_[static_cast<size_t>(index)] = text;
    changedEntry_ = index;
    Notify(Property::Entries);
}

void ListBox::AppendToEntry(int index, char c) {
    if (index < 0 || index > Count()) OutOfRange();
    if (index == Count())
        entries_.emplace_back(1, c);
    else
        entries_[static_cast<size_t>(index)] += c;
    changedEntry_ = index;
    Notify(Property::Entries);
}

void ListBox::Clear() {
    entries_.clear();
    listIndex_ = -1;
    changedEntry_ = -1;
    Notify(Property::Entries);
}

void ListBox::SetListIndex(int index) {
    if (index < -1 || index >= Count()) InvalidValue();
    if (listIndex_ == index) return;
    listIndex_ = index;
    Notify(Property::Selection);
}

void ComboBox::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    Notify(Property::Items);
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) InvalidValue();
    listIndex_ = index;
    if (index >= 0) text_ = items_[static_cast<size_t>(index)];
    Notify(Property::Selection);
    if (onClick) onClick();
}

void ComboBox::SetText(const std::string& text) {
    text_ = text;
    auto it = std::find(items_.begin(), items_.end(), text);
    listIndex_ = it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    Notify(Property::Text);
}

FlexGrid::FlexGrid(ControlRegistry& r, std::string name, int rows, int cols)
    : Control(r, std::move(name), ControlKind::FlexGrid),
      rows_(rows),
      cols_(cols),
      cells_(static_cast<size_t>(rows * cols)),
      colWidths_(static_cast<size_t>(cols), 960) {}

void FlexGrid::CheckCell(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) OutOfRange();
}

const std::string& FlexGrid::Cell(int row, int col) const {
    CheckCell(row, col);
    return cells_[static_cast<size_t>(row * cols_ + col)];
}

void FlexGrid::SetCell(int row, int col, const std::string& text) {
    CheckCell(row, col);
    auto& cell = cells_[static_cast<size_t>(row * cols_ + col)];
    if (cell == text) return;
    cell = text;
    changedRow_ = row;
    changedCol_ = col;
    Notify(Property::Cells);
}

void FlexGrid::ClearCells() {
    for (auto& cell : cells_) cell.clear();
    changedRow_ = changedCol_ = -1;
    Notify(Property::Cells);
}

void FlexGrid::SetCurrent(int row, int col) {
    CheckCell(row, col);
    row_ = row;
    col_ = col;
    Notify(Property::Selection);
}

int FlexGrid::ColWidth(int col) const {
    CheckCell(0, col);
    return colWidths_[static_cast<size_t>(col)];
}

void FlexGrid::SetColWidth(int col, int twips) {
    CheckCell(0, col);
    colWidths_[static_cast<size_t>(col)] = twips;
    Notify(Property::Position);
}

void FlexGrid::ClickCell(int row, int col) {
    CheckCell(row, col);
    mouseRow_ = row;
    mouseCol_ = col;
    if (onClick) onClick();
}

void ProgressBar::SetValue(double value) {
    if (!(value >= 0 && value <= 100)) InvalidValue();
    if (value_ == value) return;
    value_ = value;
    Notify(Property::Value);
}

void Slider::SetValue(int value) {
    if (value < min_ || value > max_) InvalidValue();
    if (value_ == value) return;
    value_ = value;
    Notify(Property::Value);
    if (onChange) onChange();
}

void NumEdit::SetValue(double value) {
    if (value_ == value) return;
    value_ = value;
    Notify(Property::Value);
    if (onValueChanged) onValueChanged();
}

Graph::Axis& Graph::MutableAxis(int axis) {
    if (axis != 1 && axis != 2) OutOfRange();
    return axes_[static_cast<size_t>(axis - 1)];
}

const Graph::Axis& Graph::GetAxis(int axis) const {
    return const_cast<Graph*>(this)->MutableAxis(axis);
}

void Graph::SetAxisMinimum(int axis, double value) {
    MutableAxis(axis).minimum = value;
    Notify(Property::Axes);
}

void Graph::SetAxisMaximum(int axis, double value) {
    MutableAxis(axis).maximum = value;
    Notify(Property::Axes);
}

void Graph::SetAxisFormat(int axis, const std::string& format) {
    MutableAxis(axis).format = format;
    Notify(Property::Axes);
}

void Graph::SetAxisTitle(int axis, const std::string& title) {
    Axis& a = MutableAxis(axis);
    if (a.title == title) return;
    a.title = title;
    Notify(Property::Axes);
}

void Graph::SetAxisDivision(int axis, double width) {
    Axis& a = MutableAxis(axis);
    if (a.division == width) return;
    a.division = width;
    Notify(Property::Axes);
}

void Graph::SetAxisAutoscale(int axis, bool on) {
    MutableAxis(axis).autoscale = on;
    Notify(Property::Axes);
}

void Graph::PlotXY(int plot, std::vector<double> x, std::vector<double> y) {
    if (plot < 1 || plot > static_cast<int>(plots_.size())) OutOfRange();
    auto& p = plots_[static_cast<size_t>(plot - 1)];
    p.x = std::move(x);
    p.y = std::move(y);
    changedPlot_ = plot;
    Notify(Property::Plots);
    // X first: the Y range depends on which points the X range shows.
    for (int axis = 1; axis <= 2; ++axis)
        if (MutableAxis(axis).autoscale) AutoscaleOnce(axis);
}

void Graph::ClearData() {
    for (auto& p : plots_) {
        p.x.clear();
        p.y.clear();
    }
    changedPlot_ = -1;
    Notify(Property::Plots);
}

void Graph::AutoscaleOnce(int axis) {
    Axis& a = MutableAxis(axis);
    const Axis& xAxis = axes_[0];
    const double xLow = std::min(xAxis.minimum, xAxis.maximum);
    const double xHigh = std::max(xAxis.minimum, xAxis.maximum);
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const auto& p : plots_) {
        const size_t n = std::min(p.x.size(), p.y.size());
        for (size_t i = 0; i < n; ++i) {
            const double v = axis == 1 ? p.x[i] : p.y[i];
            if (!std::isfinite(v)) continue;
            if (axis == 2 && !(p.x[i] >= xLow && p.x[i] <= xHigh)) continue;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    if (lo > hi) return;
    if (lo == hi) {
        lo -= 0.5;
        hi += 0.5;
    }
    a.minimum = lo;
    a.maximum = hi;
    Notify(Property::Axes);
}

bool ClickControl(Control& control) {
    if (auto* b = dynamic_cast<CommandButton*>(&control))
        b->Click();
    else if (auto* m = dynamic_cast<MenuItem*>(&control))
        m->Click();
    else if (auto* i = dynamic_cast<Image*>(&control))
        i->Click();
    else if (auto* k = dynamic_cast<CheckBox*>(&control))
        k->Click();
    else if (auto* o = dynamic_cast<OptionButton*>(&control))
        o->Click();
    else
        return false;
    return true;
}

}  // namespace zan
