#include "ui/window_layout.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "controls/controls.h"
#include "ui/qt_text.h"

namespace zan::ui {
namespace {

// A row is a list of cells; a cell names one control, or several joined by
// "/" that stand in a column (or in one place, when only one is visible).
using RowPlan = std::vector<std::vector<std::string>>;

constexpr int kGraphStretch = 3;
constexpr int kGraphMinimumWidth = 420;
constexpr int kGraphMinimumHeight = 300;

const std::map<std::string, RowPlan>& Plans() {
    static const std::map<std::string, RowPlan> plans = {
        {"SetupTab",
         {{"StartHint"},
          {"Label12", "Label13", "Command28"},
          {"Frame2/Frame13", "Label62/Label35"}}},
        {"Frame2",
         {{"Command3", "Command2", "Command27"},
          {"Check7", "Check1", "Check2", "Check6"},
          {"Slider1", "Label48"},
          {"Text2"},
          {"Text3"},
          {"Text4", "Label58"},
          {"Label3", "Label10"},
          {"Label39", "Label40", "Text1", "Text6", "Text7"},
          {"Label41", "Text5", "Text8", "Text48", "ComputerClock"},
          {"ClockDifference"},
          {"ProgressBar1"}}},
        {"Frame13",
         {{"Label27"},
          {"Combo1", "Combo2", "Combo3"},
          {"Label38", "Check5", "Check8"},
          {"Label21", "Combo4"},
          {"Command12", "Command4", "Command13"},
          {"ProgressBar2"}}},
        {"GraphTab",
         {{"CWGraph1/CWGraph2", "Frame4/Frame6/SSTab2"},
          {"Command1", "Command18", "Check3", "Command16", "Command17", "Command5(0)"},
          {"Label29", "Label23"}}},
        {"Frame4", {{"Frame1"}, {"Frame3"}, {"Command25"}}},
        {"Frame6", {{"Frame14"}, {"Frame11"}}},
        {"Frame14", {{"Label61", "Text13"}, {"Label60", "Text14"}, {"Command32"}}},
        {"Frame11", {{"Label36", "Text18"}, {"Label26", "Text19"}, {"Command15"}}},
        {"OutputTab", {{"MSFlexGrid1", "Text47"}}},
        {"GraphSettingsTab",
         {{"CWNumEdit1"}, {"CWNumEdit2"}, {"Label59"}, {"HScroll2"}, {"WindowWidth"}}},
        {"DataTab", {{"List1", "List2", "Frame12/Frame9"}}},
        {"Frame12",
         {{"Command5(1)", "Command19", "Check4"},
          {"Label42", "Label43"},
          {"Label45", "Label44"},
          {"Label65", "Label67"},
          {"Label14", "Label15", "Label20", "Label28"},
          {"Image1", "Shape2"},
          {"Frame7"}}},
        {"Frame7", {{"Frame5", "Frame8/Frame15"}}},
        {"Frame5", {{"MSFlexGrid2"}, {"Command30", "Command31"}}},
        {"Frame9",
         {{"Label46"},
          {"Frame10"},
          {"Command23", "Command26", "Label47"},
          {"Label63", "Label49", "Label50", "Text12"},
          {"MSFlexGrid3"},
          {"Command20", "Command21", "Command22"},
          {"Label33", "Label34"},
          {"Command24"}}},
        {"Form2", {{"InstrumentFrame"}, {"Command1", "Command2"}, {"Label2"}}},
        {"InstrumentFrame", {{"Option1/Option2/Option3/Option6/Option7", "PortFrame"}}},
    };
    return plans;
}

// Editors that float over a grid cell instead of taking a place of their own.
const std::map<std::string, std::string>& Overlays() {
    static const std::map<std::string, std::string> overlays = {{"Text11", "MSFlexGrid2"}};
    return overlays;
}

bool Expands(const Control& c) {
    switch (c.Kind()) {
        case ControlKind::Graph:
        case ControlKind::ListBox: return true;
        // A tab control inside a tab keeps its natural height and leaves the rest to graphs.
        case ControlKind::TabControl: return c.Parent() && c.Parent()->Kind() == ControlKind::Form;
        default: return false;
    }
}

bool SitsInRow(const Control& c) {
    return c.Kind() == ControlKind::CommandButton || c.Kind() == ControlKind::CheckBox;
}

std::vector<std::string> Split(const std::string& cell) {
    std::vector<std::string> names;
    size_t start = 0;
    for (size_t slash; (slash = cell.find('/', start)) != std::string::npos; start = slash + 1)
        names.push_back(cell.substr(start, slash - start));
    names.push_back(cell.substr(start));
    return names;
}

// The widget with its description beside it, when the control has one.
QWidget* WithDescription(Control& control, QWidget* widget, QWidget* host) {
    if (control.Description().empty()) return widget;
    auto* box = new QWidget(host);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(ToQt(control.Description()), box));
    layout->addWidget(widget, 1);
    return box;
}

struct Placed {
    Control* control;
    QWidget* widget;
};

void FollowEditorCell(TextBox& editor, QLineEdit* edit, FlexGrid& grid, QTableWidget* table) {
    edit->setParent(table->viewport());
    QPointer<QLineEdit> e(edit);
    QPointer<QTableWidget> t(table);
    auto place = [&grid, e, t] {
        if (!e || !t) return;
        const QRect cell = t->visualRect(t->model()->index(grid.MouseRow(), grid.MouseCol()));
        e->setGeometry(cell);
        e->raise();
    };
    editor.Observe([place, &editor, e](Property p) {
        if (p == Property::Position || (p == Property::Visible && editor.Visible())) place();
        if (p == Property::Visible && e) e->setVisible(editor.Visible());
    });
    edit->setVisible(editor.Visible());
}

void LayoutTabs(TabControl& tabs, QTabWidget* widget, const EventGuard& guard) {
    for (Control* child : tabs.Children()) {
        QWidget* page = CreateControlWidget(*child, widget, guard);
        widget->addTab(page, ToQt(child->Caption()));
        LayoutChildren(*child, page, guard);
    }
    widget->setCurrentIndex(tabs.CurrentTab());
}

void AddRow(QVBoxLayout* column, const std::vector<Placed>& cells) {
    auto* row = new QHBoxLayout;
    bool expanding = false;
    for (const Placed& p : cells) {
        row->addWidget(p.widget, Expands(*p.control) ? 1 : 0);
        expanding = expanding || Expands(*p.control) || p.control->Kind() == ControlKind::Frame;
    }
    if (!expanding) row->addStretch(1);
    // Graphs take most of the height they share with other growing rows.
    const bool graph = std::any_of(cells.begin(), cells.end(), [](const Placed& p) {
        return p.control->Kind() == ControlKind::Graph;
    });
    column->addLayout(row, graph ? kGraphStretch : expanding ? 1 : 0);
}

// The controls of one container, created and waiting for their places.
struct Pieces {
    std::map<std::string, Placed> placed;
    std::vector<std::string> order;
    std::map<std::string, bool> used;
    std::vector<std::pair<TextBox*, QLineEdit*>> editors;
};

Pieces CreatePieces(Control& container, QWidget* host, const EventGuard& guard) {
    Pieces pieces;
    for (Control* child : container.Children()) {
        QWidget* w = CreateControlWidget(*child, host, guard);
        if (!w) continue;
        if (!child->Children().empty() || child->Kind() == ControlKind::TabControl)
            LayoutChildren(*child, w, guard);
        if (Overlays().count(child->Name())) {
            pieces.editors.emplace_back(static_cast<TextBox*>(child), static_cast<QLineEdit*>(w));
            continue;
        }
        if (child->Kind() == ControlKind::TabControl && !Expands(*child))
            w->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        QWidget* outer = WithDescription(*child, w, host);
        BindVisibility(*child, outer);
        pieces.placed[child->Name()] = {child, outer};
        pieces.order.push_back(child->Name());
    }
    return pieces;
}

// Several controls standing in one column of a row; none when none of them exists.
std::optional<Placed> Stack(const std::vector<std::string>& names, Pieces& pieces, QWidget* host) {
    auto* stack = new QWidget(host);
    auto* layout = new QVBoxLayout(stack);
    layout->setContentsMargins(0, 0, 0, 0);
    Control* first = nullptr;
    bool expands = false;
    for (const std::string& name : names) {
        auto it = pieces.placed.find(name);
        if (it == pieces.placed.end()) continue;
        layout->addWidget(it->second.widget, Expands(*it->second.control) ? 1 : 0);
        expands = expands || Expands(*it->second.control);
        pieces.used[name] = true;
        if (!first) first = it->second.control;
    }
    if (!first) {
        delete stack;
        return std::nullopt;
    }
    if (!expands) layout->addStretch(1);
    if (first->Kind() == ControlKind::Graph) {
        stack->setMinimumSize(kGraphMinimumWidth, kGraphMinimumHeight);
        stack->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    return Placed{first, stack};
}

// Lays out the rows of the container's plan; returns whether any of them grows.
bool AddPlannedRows(const RowPlan& plan, Pieces& pieces, QVBoxLayout* column, QWidget* host) {
    bool expanding = false;
    for (const auto& rowPlan : plan) {
        std::vector<Placed> cells;
        for (const std::string& cell : rowPlan) {
            const std::vector<std::string> names = Split(cell);
            if (names.size() > 1) {
                if (auto stack = Stack(names, pieces, host)) cells.push_back(*stack);
                continue;
            }
            auto it = pieces.placed.find(names[0]);
            if (it == pieces.placed.end()) continue;
            cells.push_back(it->second);
            pieces.used[names[0]] = true;
        }
        for (const Placed& p : cells) expanding = expanding || Expands(*p.control);
        if (!cells.empty()) AddRow(column, cells);
    }
    return expanding;
}

// Controls without a planned place stack up, buttons and check boxes side by side.
bool AddRemainingRows(Pieces& pieces, QVBoxLayout* column) {
    bool expanding = false;
    std::vector<Placed> pending;
    for (const std::string& name : pieces.order) {
        if (pieces.used.count(name)) continue;
        const Placed& p = pieces.placed[name];
        expanding = expanding || Expands(*p.control);
        if (!pending.empty() && !(SitsInRow(*p.control) && SitsInRow(*pending.back().control))) {
            AddRow(column, pending);
            pending.clear();
        }
        pending.push_back(p);
    }
    if (!pending.empty()) AddRow(column, pending);
    return expanding;
}

}  // namespace

void LayoutChildren(Control& container, QWidget* host, const EventGuard& guard) {
    if (container.Kind() == ControlKind::TabControl) {
        LayoutTabs(static_cast<TabControl&>(container), static_cast<QTabWidget*>(host), guard);
        return;
    }
    Pieces pieces = CreatePieces(container, host, guard);
    auto* column = new QVBoxLayout(host);
    bool expanding = false;
    if (auto plan = Plans().find(container.Name()); plan != Plans().end())
        expanding = AddPlannedRows(plan->second, pieces, column, host);
    expanding = AddRemainingRows(pieces, column) || expanding;
    if (!expanding) column->addStretch(1);

    for (auto& [editor, edit] : pieces.editors) {
        auto grid = pieces.placed.find(Overlays().at(editor->Name()));
        if (grid == pieces.placed.end()) continue;
        if (auto* table = host->findChild<QTableWidget*>(ToQt(grid->first)))
            FollowEditorCell(*editor, edit, static_cast<FlexGrid&>(*grid->second.control), table);
    }
}

}  // namespace zan::ui
