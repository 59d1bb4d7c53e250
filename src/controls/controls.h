#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "controls/control.h"

namespace zan {

using Handler = std::function<void()>;

// Windows and containers: only captions, visibility and their children.
class Form : public Control {
  public:
    Form(ControlRegistry& r, std::string name) : Control(r, std::move(name), ControlKind::Form) {}
    // A key the window receives, as its character code (Ctrl+K is 11).
    void KeyPress(int charCode) {
        if (onKeyPress) onKeyPress(charCode);
    }
    std::function<void(int)> onKeyPress;
    // The user closes the window from its title bar.
    void Close() {
        if (onClose) onClose();
    }
    Handler onClose;
};

class TabPage : public Control {
  public:
    TabPage(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::TabPage) {}
};

class TabControl : public Control {
  public:
    TabControl(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::TabControl) {}
    int CurrentTab() const { return currentTab_; }
    void SetCurrentTab(int tab);

  private:
    int currentTab_ = 0;
};

class Frame : public Control {
  public:
    Frame(ControlRegistry& r, std::string name) : Control(r, std::move(name), ControlKind::Frame) {}
};

class Label : public Control {
  public:
    Label(ControlRegistry& r, std::string name) : Control(r, std::move(name), ControlKind::Label) {}
};

class Shape : public Control {
  public:
    Shape(ControlRegistry& r, std::string name) : Control(r, std::move(name), ControlKind::Shape) {}
};

class CommandButton : public Control {
  public:
    CommandButton(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::CommandButton) {}
    void Click() {
        if (onClick) onClick();
    }
    Handler onClick;
};

class Image : public Control {
  public:
    Image(ControlRegistry& r, std::string name) : Control(r, std::move(name), ControlKind::Image) {}
    void Click() {
        if (onClick) onClick();
    }
    Handler onClick;
};

class MenuItem : public Control {
  public:
    MenuItem(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::MenuItem) {}
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool IsSeparator() const { return separator_; }
    void MakeSeparator() { separator_ = true; }
    void Click() {
        if (onClick) onClick();
    }
    Handler onClick;

  private:
    bool checked_ = false;
    bool separator_ = false;
};

class TextBox : public Control {
  public:
    TextBox(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::TextBox) {}
    const std::string& Text() const { return text_; }
    // Setting a different text fires the change handler, also from code.
    void SetText(const std::string& text);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length; }
    // The user types one character at the end of the text.
    void TypeChar(char c);
    void KeyDown(int keyCode) {
        if (onKeyDown) onKeyDown(keyCode);
    }
    bool HasFocus() const { return focused_; }
    void SetFocus();
    void LoseFocus();
    // Where the box stands inside its frame, in twips, for editors placed over a grid.
    int Left() const { return left_; }
    int Top() const { return top_; }
    void Move(int left, int top);

    Handler onChange;
    std::function<void(int)> onKeyDown;
    Handler onLostFocus;

  private:
    std::string text_;
    int maxLength_ = 0;
    bool focused_ = false;
    int left_ = 0, top_ = 0;
};

// Check box with three states: 0 clear, 1 checked, 2 grey.
class CheckBox : public Control {
  public:
    CheckBox(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::CheckBox) {}
    int Value() const { return value_; }
    // A change of state runs the click handler, whoever made it.
    void SetValue(int value);
    // The user's click: clear and grey become checked, checked becomes clear.
    void Click() { SetValue(value_ == 1 ? 0 : 1); }
    Handler onClick;

  private:
    int value_ = 0;
};

// Option buttons form a group with the other option buttons of their parent.
class OptionButton : public Control {
  public:
    OptionButton(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::OptionButton) {}
    bool Value() const { return value_; }
    void SetValue(bool value);
    void Click() { SetValue(true); }
    Handler onClick;

  private:
    bool value_ = false;
};

class ListBox : public Control {
  public:
    ListBox(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::ListBox) {}
    int Count() const { return static_cast<int>(entries_.size()); }
    // An index outside the list reads as empty text.
    std::string Entry(int index) const;
    const std::vector<std::string>& Entries() const { return entries_; }
    // Index equal to Count() adds a new entry.
    void SetEntry(int index, const std::string& text);
    void AppendToEntry(int index, char c);
    void AddItem(const std::string& text) { SetEntry(Count(), text); }
    void Clear();
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    // The entry touched by the last Entries notification, or -1 when the whole list changed.
    int ChangedEntry() const { return changedEntry_; }

  private:
    std::vector<std::string> entries_;
    int listIndex_ = -1;
    int changedEntry_ = -1;
};

class ComboBox : public Control {
  public:
    ComboBox(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::ComboBox) {}
    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items);
    int ListIndex() const { return listIndex_; }
    // Selecting a position also shows its item as the text; -1 selects nothing.
    void SetListIndex(int index);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    Handler onClick;

  private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
    std::string text_;
};

class FlexGrid : public Control {
  public:
    FlexGrid(ControlRegistry& r, std::string name, int rows, int cols);
    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    // Out-of-range cells fail with "Subscript out of range".
    const std::string& Cell(int row, int col) const;
    void SetCell(int row, int col, const std::string& text);
    // Empties every cell without changing the size.
    void ClearCells();
    int Row() const { return row_; }
    int Col() const { return col_; }
    void SetCurrent(int row, int col);
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }
    // The user clicks the cell (row, col).
    void ClickCell(int row, int col);
    // The cell touched by the last Cells notification, or (-1, -1) for all.
    int ChangedRow() const { return changedRow_; }
    int ChangedCol() const { return changedCol_; }
    Handler onClick;

  private:
    void CheckCell(int row, int col) const;
    int rows_, cols_;
    std::vector<std::string> cells_;
    std::vector<int> colWidths_;
    int row_ = 1, col_ = 1;
    int mouseRow_ = 0, mouseCol_ = 0;
    int changedRow_ = -1, changedCol_ = -1;
};

class ProgressBar : public Control {
  public:
    ProgressBar(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::ProgressBar) {}
    double Value() const { return value_; }
    // A value outside 0..100 fails with "Invalid property value".
    void SetValue(double value);

  private:
    double value_ = 0;
};

class Slider : public Control {
  public:
    Slider(ControlRegistry& r, std::string name, int min, int max)
        : Control(r, std::move(name), ControlKind::Slider), min_(min), max_(max), value_(min) {}
    int Value() const { return value_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    // A value outside the range fails with "Invalid property value".
    void SetValue(int value);
    // The spacing of the scale's marks in values; 0 draws none.
    int TickInterval() const { return tickInterval_; }
    void SetTickInterval(int interval) { tickInterval_ = interval; }
    Handler onChange;

  private:
    int min_, max_, value_;
    int tickInterval_ = 0;
};

class NumEdit : public Control {
  public:
    NumEdit(ControlRegistry& r, std::string name)
        : Control(r, std::move(name), ControlKind::NumEdit) {}
    double Value() const { return value_; }
    void SetValue(double value);
    Handler onValueChanged;

  private:
    double value_ = 0;
};

// A graph: caption, two axes (1 = X, 2 = Y) and named plots of (x, y) points.
class Graph : public Control {
  public:
    struct Axis {
        double minimum = 0;
        double maximum = 10;
        std::string format;
        // What the axis shows and in which unit, drawn beside it.
        std::string title;
        // The width of one grid division in axis units, counted from the
        // minimum; 0 leaves the divisions to the view.
        double division = 0;
        // The range follows the data: every PlotXY rescales the axis to the
        // points it shows, so minimum and maximum always hold the shown range.
        bool autoscale = false;
    };
    struct Plot {
        std::string name;
        std::vector<double> x, y;
    };

    Graph(ControlRegistry& r, std::string name) : Control(r, std::move(name), ControlKind::Graph) {}
    // Axis numbers are 1 (X) and 2 (Y); others fail.
    const Axis& GetAxis(int axis) const;
    void SetAxisMinimum(int axis, double value);
    void SetAxisMaximum(int axis, double value);
    void SetAxisFormat(int axis, const std::string& format);
    void SetAxisTitle(int axis, const std::string& title);
    void SetAxisDivision(int axis, double width);
    void SetAxisAutoscale(int axis, bool on);
    // Plot numbers count from 1.
    void AddPlot(const std::string& name) { plots_.push_back({name, {}, {}}); }
    const std::vector<Plot>& Plots() const { return plots_; }
    void PlotXY(int plot, std::vector<double> x, std::vector<double> y);
    void ClearData();
    // Scales an axis once to the data it currently shows: the X axis to every
    // point, the Y axis to the points that lie within the X range.
    void AutoscaleOnce(int axis);
    // The plot (numbered from 1) touched by the last Plots notification, or -1 for all.
    int ChangedPlot() const { return changedPlot_; }

  private:
    Axis& MutableAxis(int axis);
    std::array<Axis, 2> axes_{};
    std::vector<Plot> plots_;
    int changedPlot_ = -1;
};

// The user clicks a button, menu item, image, check box or option button;
// false when the control is not one that takes a plain click.
bool ClickControl(Control& control);

}  // namespace zan
