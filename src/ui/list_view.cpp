#include "ui/list_view.h"

#include <QAbstractScrollArea>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTextOption>
#include <algorithm>
#include <climits>
#include <utility>

#include "controls/controls.h"
#include "ui/frame_pacer.h"
#include "ui/on_change.h"
#include "ui/text_widths.h"

namespace zan::ui {
namespace {

// A row draws at most this many characters, far more than a screen is wide,
// so a line that never ends (noise without line feeds) costs no more to draw
// as it grows.
constexpr qsizetype kDrawnChars = 4096;
constexpr int kRowPadding = 2;
constexpr int kTextMargin = 3;
constexpr int kTabStopPixels = 80;

// A scroll bar drawn in flat colours. The style's own bar is drawn with
// gradients, which cost more than the rows themselves when a growing list
// moves the handle at every refresh.
class FlatScrollBar : public QScrollBar {
  public:
    FlatScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionSlider option;
        initStyleOption(&option);
        const auto part = [&](QStyle::SubControl control) {
            return style()->subControlRect(QStyle::CC_ScrollBar, &option, control, this);
        };
        painter.fillRect(rect(), palette().color(QPalette::Window));
        if (isEnabled() && maximum() > minimum()) {
            const QRect handle = part(QStyle::SC_ScrollBarSlider).adjusted(1, 1, -2, -2);
            painter.fillRect(handle,
                             palette().color(isSliderDown() ? QPalette::Dark : QPalette::Button));
            painter.setPen(palette().color(QPalette::Mid));
            painter.drawRect(handle);
        }
        const bool vertical = orientation() == Qt::Vertical;
        for (const auto& [control, arrow] :
             {std::pair{QStyle::SC_ScrollBarSubLine,
                        vertical ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowLeft},
              std::pair{QStyle::SC_ScrollBarAddLine, vertical ? QStyle::PE_IndicatorArrowDown
                                                              : QStyle::PE_IndicatorArrowRight}}) {
            QStyleOption arrowOption;
            arrowOption.initFrom(this);
            arrowOption.rect = part(control);
            style()->drawPrimitive(arrow, &arrowOption, &painter, this);
        }
    }
};

// The list's entries drawn as rows of one height. The list's changes gather
// until the window's next frame. Rows added at the bottom scroll the rows
// already drawn (a copy of pixels) and draw only the new ones, so the cost of
// a frame does not grow with the rows in view. The row count is what the view
// has been told of, so the list may run ahead of it between frames.
class ListView : public QAbstractScrollArea {
  public:
    ListView(ListBox& list, QWidget* parent)
        : QAbstractScrollArea(parent), list_(list), widths_(QFontMetricsF(Monospace())) {
        setFont(Monospace());
        viewport()->setBackgroundRole(QPalette::Base);
        viewport()->setAutoFillBackground(true);
        setVerticalScrollBar(new FlatScrollBar(Qt::Vertical, this));
        setHorizontalScrollBar(new FlatScrollBar(Qt::Horizontal, this));
        verticalScrollBar()->setSingleStep(1);
        Sync();
    }

    void OnChange(Property p) {
        if (p == Property::Entries) {
            const int changed = list_.ChangedEntry();
            if (changed < 0) {
                reset_ = true;
            } else {
                first_ = std::min(first_, changed);
                last_ = std::max(last_, changed);
            }
        } else if (p == Property::Selection) {
            selectionChanged_ = true;
        } else {
            return;
        }
        frame_.Ask();
    }

    void Sync() {
        const int count = list_.Count();
        if (reset_ || count < rows_) {
            rows_ = count;
            if (current_ >= rows_) current_ = -1;
            widest_ = 0;
            for (int row = 0; row < rows_; ++row) Widen(row);
            viewport()->update();
        } else {
            for (int row = first_; row <= std::min(last_, rows_ - 1); ++row) {
                Widen(row);
                UpdateRow(row);
            }
            for (int row = rows_; row < count; ++row) {
                Widen(row);
                UpdateRow(row);
            }
            rows_ = count;
        }
        reset_ = false;
        first_ = INT_MAX;
        last_ = -1;
        UpdateBars();
        if (!selectionChanged_) return;
        selectionChanged_ = false;
        // Like a list widget, a list without a selection keeps what the view shows selected.
        const int row = list_.ListIndex();
        if (row < 0 || row >= rows_) return;
        UpdateRow(current_);
        current_ = row;
        UpdateRow(current_);
        ScrollTo(current_);
    }

    QString RowText(int row) const {
        const std::string& entry = list_.Entries()[static_cast<size_t>(row)];
        const auto size = static_cast<qsizetype>(entry.size());
        QString text = QString::fromLatin1(entry.data(), std::min(size, kDrawnChars));
        if (size > kDrawnChars) text += QChar(0x2026);
        return text;
    }
    int Rows() const { return rows_; }
    int CurrentRow() const { return current_; }
    bool RowInView(int row) const {
        return row >= TopRow() && (row - TopRow() + 1) * RowHeight() <= viewport()->height();
    }

  protected:
    bool event(QEvent* event) override {
        if (!frame_.IsDue(event)) return QAbstractScrollArea::event(event);
        Sync();
        return true;
    }

    void paintEvent(QPaintEvent* event) override {
        QPainter painter(viewport());
        painter.setFont(font());
        const int height = RowHeight();
        const QRect area = event->rect();
        const int first = TopRow() + area.top() / height;
        const int last = std::min(rows_ - 1, TopRow() + area.bottom() / height);
        const int left = kTextMargin - horizontalScrollBar()->value();
        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setWrapMode(QTextOption::NoWrap);
        layout.setTabStopDistance(kTabStopPixels);
        for (int row = first; row <= last; ++row) {
            const QRect band(0, (row - TopRow()) * height, viewport()->width(), height);
            if (row == current_) {
                painter.fillRect(band, palette().brush(QPalette::Highlight));
                painter.setPen(palette().color(QPalette::HighlightedText));
            } else {
                painter.setPen(palette().color(QPalette::Text));
            }
            painter.drawText(QRectF(band.adjusted(left, 0, 0, 0)), RowText(row), layout);
        }
    }

    void scrollContentsBy(int dx, int dy) override {
        const int height = RowHeight();
        viewport()->scroll(dx, dy * height);
        // The row cut off by the bottom edge moves up without its lower part.
        if (dy < 0) {
            const int top = std::max(0, (viewport()->height() / height + dy) * height);
            viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
        }
    }

    void resizeEvent(QResizeEvent* event) override {
        QAbstractScrollArea::resizeEvent(event);
        UpdateBars();
    }

    void showEvent(QShowEvent* event) override {
        Sync();
        QAbstractScrollArea::showEvent(event);
    }

  private:
    int RowHeight() const { return fontMetrics().height() + kRowPadding; }
    int TopRow() const { return verticalScrollBar()->value(); }
    int FullRowsInView() const { return std::max(1, viewport()->height() / RowHeight()); }

    static QFont Monospace() {
        QFont mono("Monospace");
        mono.setStyleHint(QFont::TypeWriter);
        return mono;
    }

    void Widen(int row) {
        const std::string& entry = list_.Entries()[static_cast<size_t>(row)];
        const std::string_view drawn(entry.data(),
                                     std::min(entry.size(), static_cast<size_t>(kDrawnChars)));
        widest_ = std::max(widest_, widths_.Of(drawn, kTabStopPixels) + 2 * kTextMargin);
    }

    void UpdateRow(int row) {
        if (row < TopRow() || row >= rows_) return;
        const int top = (row - TopRow()) * RowHeight();
        if (top < viewport()->height())
            viewport()->update(0, top, viewport()->width(), RowHeight());
    }

    void UpdateBars() {
        QScrollBar* bar = verticalScrollBar();
        bar->setPageStep(FullRowsInView());
        bar->setRange(0, std::max(0, rows_ - FullRowsInView()));
        QScrollBar* across = horizontalScrollBar();
        across->setPageStep(viewport()->width());
        across->setSingleStep(fontMetrics().averageCharWidth() * 4);
        across->setRange(0, std::max(0, widest_ - viewport()->width()));
    }

    void ScrollTo(int row) {
        if (row < TopRow())
            verticalScrollBar()->setValue(row);
        else if (row >= TopRow() + FullRowsInView())
            verticalScrollBar()->setValue(row - FullRowsInView() + 1);
    }

    ListBox& list_;
    const TextWidths widths_;
    int rows_ = 0;
    int current_ = -1;
    int widest_ = 0;
    bool reset_ = true;
    int first_ = INT_MAX;
    int last_ = -1;
    bool selectionChanged_ = true;
    FrameRequest frame_{this};
};

const ListView& Of(const QWidget* listView) { return *static_cast<const ListView*>(listView); }

}  // namespace

QWidget* CreateListView(ListBox& list, QWidget* parent) {
    auto* view = new ListView(list, parent);
    OnChange(list, view, [](ListView* v, Property p) { v->OnChange(p); });
    return view;
}

void SyncListView(QWidget* listView) {
    if (auto* view = dynamic_cast<ListView*>(listView)) view->Sync();
}

int ListViewRows(const QWidget* listView) { return Of(listView).Rows(); }
QString ListViewRowText(const QWidget* listView, int row) { return Of(listView).RowText(row); }
int ListViewCurrentRow(const QWidget* listView) { return Of(listView).CurrentRow(); }
bool ListViewRowInView(const QWidget* listView, int row) { return Of(listView).RowInView(row); }

}  // namespace zan::ui
