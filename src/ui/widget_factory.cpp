#include "ui/widget_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <memory>
#include <optional>

#include "controls/controls.h"
#include "ui/graph_view.h"
#include "ui/list_view.h"
#include "ui/on_change.h"
#include "ui/qt_text.h"
#include "ui/text_widths.h"

namespace zan::ui {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kMinimumColumnPixels = 76;
constexpr size_t kWrapLength = 48;
constexpr int kTextBoxPixels = 160;
constexpr int kGridRowPixels = 22;
constexpr int kCellPaddingPixels = 12;
constexpr int kWrappedLabelPixels = 420;
// Room left for kerning when a text's width is summed from its characters.
constexpr int kFitSlackPixels = 2;

void BindCommon(Control& control, QWidget* widget) {
    widget->setObjectName(ToQt(control.Name()));
    widget->setEnabled(control.Enabled());
    widget->setToolTip(ToQt(control.ToolTip()));
    OnChange(control, widget, [&control](QWidget* w, Property p) {
        if (p == Property::Enabled)
            w->setEnabled(control.Enabled());
        else if (p == Property::ToolTip)
            w->setToolTip(ToQt(control.ToolTip()));
    });
}

void ApplyBackColour(const Control& control, QWidget* w) {
    if (control.BackColour() == kButtonGrey) {
        w->setStyleSheet({});
        return;
    }
    const Colour& c = control.BackColour();
    w->setStyleSheet(QString("QPushButton { background-color: rgb(%1,%2,%3); color: black; "
                             "border: 1px solid #707070; border-radius: 3px; padding: 4px 10px; }"
                             "QPushButton:disabled { color: #707070; }")
                         .arg(c.red)
                         .arg(c.green)
                         .arg(c.blue));
}

// What a one-line label that shows changing captions knows of its room: it
// holds a fixed size fitted to a text whose characters sum to fitted pixels.
struct CaptionRoom {
    std::optional<TextWidths> widths;  // made at the first change: most labels never change
    int fitted = -1;                   // -1: the label takes the size of its text
};

// A long text wraps and can be selected: it is a message worth copying.
void ShowWrapped(QLabel* l) {
    l->setWordWrap(true);
    l->setMinimumWidth(kWrappedLabelPixels);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

// Shows a new caption. A one-line label keeps its size while the new text
// fits: counters change with every packet, and a label that changes size
// makes the whole window lay itself out again.
void ShowCaption(QLabel* l, const std::string& caption, CaptionRoom& room) {
    if (caption.size() > kWrapLength && !l->wordWrap()) {
        l->setMinimumSize(0, 0);
        l->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        ShowWrapped(l);
        room.fitted = -1;
    }
    l->setText(CaptionText(caption));
    if (l->wordWrap()) return;
    if (!room.widths) room.widths.emplace(QFontMetricsF(l->font()));
    const int summed = room.widths->Of(caption);
    if (summed <= room.fitted) return;
    const QSize held = room.fitted < 0 ? QSize(0, 0) : l->minimumSize();
    l->setFixedSize(l->sizeHint().expandedTo(held));
    room.fitted = summed;
}

QWidget* MakeLabel(Label& label, QWidget* parent) {
    auto* w = new QLabel(CaptionText(label.Caption()), parent);
    // Short texts are names and live values, not selectable.
    if (label.Caption().size() > kWrapLength) ShowWrapped(w);
    auto room = std::make_shared<CaptionRoom>();
    OnChange(label, w, [&label, room](QLabel* l, Property p) {
        if (p == Property::Caption) ShowCaption(l, label.Caption(), *room);
    });
    return w;
}

QWidget* MakeButton(CommandButton& button, QWidget* parent, const EventGuard& guard) {
    auto* w = new QPushButton(CaptionText(button.Caption()), parent);
    ApplyBackColour(button, w);
    QObject::connect(w, &QPushButton::clicked, w,
                     [&button, guard] { guard([&] { button.Click(); }); });
    OnChange(button, w, [&button](QPushButton* b, Property p) {
        if (p == Property::Caption)
            b->setText(CaptionText(button.Caption()));
        else if (p == Property::BackColour)
            ApplyBackColour(button, b);
    });
    return w;
}

// Enter and other keys, and the focus, go to the model's text box events.
class TextBoxEvents : public QObject {
  public:
    TextBoxEvents(TextBox& box, EventGuard guard, QObject* parent)
        : QObject(parent), box_(box), guard_(std::move(guard)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const int code = key == Qt::Key_Return || key == Qt::Key_Enter ? 13
                             : key == Qt::Key_Escape                       ? 27
                             : key < 256                                   ? key
                                                                           : 0;
            if (code != 0) guard_([&] { box_.KeyDown(code); });
        } else if (event->type() == QEvent::FocusIn) {
            box_.SetFocus();
        } else if (event->type() == QEvent::FocusOut) {
            guard_([&] { box_.LoseFocus(); });
        }
        return false;
    }

  private:
    TextBox& box_;
    EventGuard guard_;
};

QWidget* MakeTextBox(TextBox& box, QWidget* parent, const EventGuard& guard) {
    auto* w = new QLineEdit(ToQt(box.Text()), parent);
    if (box.MaxLength() > 0) {
        w->setMaxLength(box.MaxLength());
        w->setMaximumWidth(w->fontMetrics().horizontalAdvance('0') * (box.MaxLength() + 4) + 16);
    } else {
        w->setMaximumWidth(kTextBoxPixels);
    }
    w->installEventFilter(new TextBoxEvents(box, guard, w));
    QObject::connect(w, &QLineEdit::textEdited, w, [&box, guard](const QString& text) {
        guard([&] { box.SetText(FromQt(text)); });
    });
    OnChange(box, w, [&box](QLineEdit* e, Property p) {
        if (p == Property::Text && FromQt(e->text()) != box.Text()) {
            QSignalBlocker block(e);
            e->setText(ToQt(box.Text()));
        } else if (p == Property::Focus) {
            if (box.HasFocus() && !e->hasFocus()) e->setFocus();
        }
    });
    return w;
}

Qt::CheckState CheckStateOf(int value) {
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

QWidget* MakeCheckBox(CheckBox& box, QWidget* parent, const EventGuard& guard) {
    auto* w = new QCheckBox(ToQt(box.Caption()), parent);
    w->setTristate(true);
    w->setCheckState(CheckStateOf(box.Value()));
    QObject::connect(w, &QCheckBox::clicked, w, [&box, guard, w] {
        guard([&] { box.Click(); });
        if (w) w->setCheckState(CheckStateOf(box.Value()));
    });
    OnChange(box, w, [&box](QCheckBox* c, Property p) {
        if (p == Property::Value)
            c->setCheckState(CheckStateOf(box.Value()));
        else if (p == Property::Caption)
            c->setText(ToQt(box.Caption()));
    });
    return w;
}

QWidget* MakeOption(OptionButton& option, QWidget* parent, const EventGuard& guard) {
    auto* w = new QRadioButton(ToQt(option.Caption()), parent);
    // The model keeps the group; Qt's own exclusivity would fight it.
    w->setAutoExclusive(false);
    w->setChecked(option.Value());
    QObject::connect(w, &QRadioButton::clicked, w, [&option, guard, w] {
        guard([&] { option.Click(); });
        if (w) w->setChecked(option.Value());
    });
    OnChange(option, w, [&option](QRadioButton* r, Property p) {
        if (p == Property::Value)
            r->setChecked(option.Value());
        else if (p == Property::Caption)
            r->setText(ToQt(option.Caption()));
    });
    return w;
}

QWidget* MakeCombo(ComboBox& combo, QWidget* parent, const EventGuard& guard) {
    auto* w = new QComboBox(parent);
    w->setEditable(true);
    size_t longest = combo.Text().size();
    for (const std::string& item : combo.Items()) longest = std::max(longest, item.size());
    w->setMinimumContentsLength(static_cast<int>(longest));
    auto fill = [&combo](QComboBox* c) {
        QSignalBlocker block(c);
        c->clear();
        for (const std::string& item : combo.Items()) c->addItem(ToQt(item));
        c->setCurrentIndex(combo.ListIndex());
        c->setEditText(ToQt(combo.Text()));
    };
    fill(w);
    QObject::connect(w, QOverload<int>::of(&QComboBox::activated), w,
                     [&combo, guard](int index) { guard([&] { combo.SetListIndex(index); }); });
    OnChange(combo, w, [fill](QComboBox* c, Property p) {
        if (p == Property::Items || p == Property::Selection || p == Property::Text) fill(c);
    });
    return w;
}

int TextPixels(const QTableWidget* t, const std::string& text) {
    return t->fontMetrics().horizontalAdvance(CaptionText(text)) + kCellPaddingPixels;
}

// The grid is as large as its cells, as a fixed grid of the design is, and
// each column is at least as wide as its widest text.
void SyncGridWidths(const FlexGrid& grid, QTableWidget* t) {
    int width = 2 * t->frameWidth();
    for (int c = 0; c < grid.Cols(); ++c) {
        int pixels = std::max(kMinimumColumnPixels, grid.ColWidth(c) / kTwipsPerPixel);
        for (int r = 0; r < grid.Rows(); ++r)
            pixels = std::max(pixels, TextPixels(t, grid.Cell(r, c)));
        t->setColumnWidth(c, pixels);
        width += pixels;
    }
    t->setFixedSize(width, grid.Rows() * kGridRowPixels + 2 * t->frameWidth());
}

void SyncGridCell(const FlexGrid& grid, QTableWidget* t, int row, int col) {
    QTableWidgetItem* item = t->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled);
        if (row == 0 || col == 0) item->setBackground(QColor(224, 224, 224));
        t->setItem(row, col, item);
    }
    item->setText(ToQt(grid.Cell(row, col)));
}

void SyncGridCells(const FlexGrid& grid, QTableWidget* t) {
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c) SyncGridCell(grid, t, r, c);
}

// The cell the grid last changed, its column widened when the text may no
// longer fit: the text is laid out only when its characters' sum says so.
void SyncChangedGridCell(const FlexGrid& grid, QTableWidget* t, const TextWidths& widths) {
    SyncGridCell(grid, t, grid.ChangedRow(), grid.ChangedCol());
    const std::string& text = grid.Cell(grid.ChangedRow(), grid.ChangedCol());
    const int column = t->columnWidth(grid.ChangedCol());
    if (widths.Of(text) + kCellPaddingPixels + kFitSlackPixels > column &&
        TextPixels(t, text) > column)
        SyncGridWidths(grid, t);
}

QWidget* MakeGrid(FlexGrid& grid, QWidget* parent, const EventGuard& guard) {
    auto* w = new QTableWidget(grid.Rows(), grid.Cols(), parent);
    w->horizontalHeader()->hide();
    w->verticalHeader()->hide();
    w->verticalHeader()->setDefaultSectionSize(kGridRowPixels);
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setSelectionMode(QAbstractItemView::NoSelection);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SyncGridCells(grid, w);
    SyncGridWidths(grid, w);
    QObject::connect(w, &QTableWidget::cellClicked, w, [&grid, guard](int row, int col) {
        guard([&] { grid.ClickCell(row, col); });
    });
    OnChange(grid, w,
             [&grid, widths = TextWidths(QFontMetricsF(w->font()))](QTableWidget* t, Property p) {
                 if (p == Property::Cells && grid.ChangedRow() >= 0)
                     SyncChangedGridCell(grid, t, widths);
                 else if (p == Property::Cells)
                     SyncGridCells(grid, t);
                 else if (p == Property::Position)
                     SyncGridWidths(grid, t);
             });
    return w;
}

QWidget* MakeProgress(ProgressBar& bar, QWidget* parent) {
    auto* w = new QProgressBar(parent);
    w->setRange(0, 100);
    w->setValue(static_cast<int>(bar.Value()));
    OnChange(bar, w, [&bar](QProgressBar* b, Property p) {
        if (p == Property::Value) b->setValue(static_cast<int>(bar.Value()));
    });
    return w;
}

QWidget* MakeSlider(Slider& slider, QWidget* parent, const EventGuard& guard) {
    auto* w = new QSlider(Qt::Horizontal, parent);
    w->setRange(slider.Min(), slider.Max());
    w->setValue(slider.Value());
    w->setMinimumWidth(160);
    if (slider.TickInterval() > 0) {
        w->setTickPosition(QSlider::TicksBelow);
        w->setTickInterval(slider.TickInterval());
        w->setPageStep(slider.TickInterval());
        w->setMinimumWidth(240);
    }
    QObject::connect(w, &QSlider::valueChanged, w,
                     [&slider, guard](int value) { guard([&] { slider.SetValue(value); }); });
    OnChange(slider, w, [&slider](QSlider* s, Property p) {
        if (p != Property::Value) return;
        QSignalBlocker block(s);
        s->setValue(slider.Value());
    });
    return w;
}

QWidget* MakeNumEdit(NumEdit& edit, QWidget* parent, const EventGuard& guard) {
    auto* w = new QDoubleSpinBox(parent);
    w->setRange(-1e9, 1e9);
    w->setDecimals(2);
    w->setValue(edit.Value());
    QObject::connect(w, QOverload<double>::of(&QDoubleSpinBox::valueChanged), w,
                     [&edit, guard](double value) { guard([&] { edit.SetValue(value); }); });
    OnChange(edit, w, [&edit](QDoubleSpinBox* s, Property p) {
        if (p != Property::Value) return;
        QSignalBlocker block(s);
        s->setValue(edit.Value());
    });
    return w;
}

QWidget* MakeImage(Image& image, QWidget* parent, const EventGuard& guard) {
    auto* w = new QPushButton(parent);
    w->setFlat(true);
    w->setIcon(w->style()->standardIcon(QStyle::SP_ComputerIcon));
    w->setIconSize(QSize(32, 32));
    QObject::connect(w, &QPushButton::clicked, w,
                     [&image, guard] { guard([&] { image.Click(); }); });
    return w;
}

QWidget* MakeShape(QWidget* parent) {
    auto* w = new QFrame(parent);
    w->setFrameShape(QFrame::Box);
    w->setFixedSize(40, 40);
    return w;
}

QWidget* MakeFrame(Control& frame, QWidget* parent) {
    auto* w = new QGroupBox(ToQt(frame.Caption()), parent);
    OnChange(frame, w, [&frame](QGroupBox* g, Property p) {
        if (p == Property::Caption) g->setTitle(ToQt(frame.Caption()));
    });
    return w;
}

// A caption changed on a page (a packet counter, many times a second) asks
// the tab control to lay itself out again, and a tab control repaints all of
// itself when it does. Its own layout depends on its size and its tab bar
// only, so such a request just passes the page's new size wishes on.
class TabLayoutFilter : public QObject {
  public:
    explicit TabLayoutFilter(QTabWidget* tabs) : QObject(tabs), tabs_(tabs) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::LayoutRequest) return false;
        const QSize bar = tabs_->tabBar()->sizeHint();
        if (bar != bar_) {
            bar_ = bar;
            return false;
        }
        tabs_->updateGeometry();
        return true;
    }

  private:
    QTabWidget* tabs_;
    QSize bar_;
};

QWidget* MakeTabs(TabControl& tabs, QWidget* parent, const EventGuard& guard) {
    auto* w = new QTabWidget(parent);
    w->installEventFilter(new TabLayoutFilter(w));
    QObject::connect(w, &QTabWidget::currentChanged, w, [&tabs, guard](int index) {
        if (index >= 0 && index != tabs.CurrentTab()) guard([&] { tabs.SetCurrentTab(index); });
    });
    OnChange(tabs, w, [&tabs](QTabWidget* t, Property p) {
        if (p == Property::Value && t->currentIndex() != tabs.CurrentTab())
            t->setCurrentIndex(tabs.CurrentTab());
    });
    return w;
}

}  // namespace

void BindVisibility(Control& control, QWidget* placed) {
    placed->setVisible(control.Visible());
    OnChange(control, placed, [&control](QWidget* w, Property p) {
        if (p == Property::Visible) w->setVisible(control.Visible());
    });
}

QWidget* CreateControlWidget(Control& control, QWidget* parent, const EventGuard& guard) {
    QWidget* w = nullptr;
    switch (control.Kind()) {
        case ControlKind::Frame: w = MakeFrame(control, parent); break;
        case ControlKind::TabControl:
            w = MakeTabs(static_cast<TabControl&>(control), parent, guard);
            break;
        case ControlKind::TabPage: w = new QWidget(parent); break;
        case ControlKind::Label: w = MakeLabel(static_cast<Label&>(control), parent); break;
        case ControlKind::CommandButton:
            w = MakeButton(static_cast<CommandButton&>(control), parent, guard);
            break;
        case ControlKind::TextBox:
            w = MakeTextBox(static_cast<TextBox&>(control), parent, guard);
            break;
        case ControlKind::CheckBox:
            w = MakeCheckBox(static_cast<CheckBox&>(control), parent, guard);
            break;
        case ControlKind::OptionButton:
            w = MakeOption(static_cast<OptionButton&>(control), parent, guard);
            break;
        case ControlKind::ListBox:
            w = CreateListView(static_cast<ListBox&>(control), parent);
            break;
        case ControlKind::ComboBox:
            w = MakeCombo(static_cast<ComboBox&>(control), parent, guard);
            break;
        case ControlKind::FlexGrid:
            w = MakeGrid(static_cast<FlexGrid&>(control), parent, guard);
            break;
        case ControlKind::ProgressBar:
            w = MakeProgress(static_cast<ProgressBar&>(control), parent);
            break;
        case ControlKind::Slider:
            w = MakeSlider(static_cast<Slider&>(control), parent, guard);
            break;
        case ControlKind::NumEdit:
            w = MakeNumEdit(static_cast<NumEdit&>(control), parent, guard);
            break;
        case ControlKind::Graph: w = CreateGraphView(static_cast<Graph&>(control), parent); break;
        case ControlKind::Image: w = MakeImage(static_cast<Image&>(control), parent, guard); break;
        case ControlKind::Shape: w = MakeShape(parent); break;
        case ControlKind::Form:
        case ControlKind::MenuItem: return nullptr;
    }
    BindCommon(control, w);
    return w;
}

}  // namespace zan::ui
