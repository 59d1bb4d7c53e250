#include "ui/list_view.h"

#include <QAbstractListModel>
#include <QCache>
#include <QListView>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "controls/controls.h"

namespace zan::ui {
namespace {

// The view takes in the list's changes ten times a second: a stream reads
// as smoothly, and each refresh (a new row makes the view repaint all rows)
// costs the same however many characters arrived meanwhile.
constexpr int kRefreshMs = 100;
// A row draws at most this many characters, far more than a screen is wide,
// so a line that never ends (noise without line feeds) costs no more to draw
// as it grows.
constexpr qsizetype kDrawnChars = 4096;
// Row pictures kept, in bytes, and the widest row kept as a picture, in pixels.
constexpr int kPictureBytes = 8 << 20;
constexpr int kWidestPicture = 4096;

// The list's entries as rows. The row count is what the view has been told
// of, so the list may run ahead of it between refreshes.
class ListModel : public QAbstractListModel {
  public:
    ListModel(const ListBox& list, QObject* parent)
        : QAbstractListModel(parent), list_(list), rows_(list.Count()) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= list_.Count()) return {};
        const std::string& entry = list_.Entries()[static_cast<size_t>(index.row())];
        const auto size = static_cast<qsizetype>(entry.size());
        QString text = QString::fromLatin1(entry.data(), std::min(size, kDrawnChars));
        if (size > kDrawnChars) text += QChar(0x2026);
        return text;
    }

    // Tells the view about the rows changed from first to last and the rows
    // added or removed since the last time.
    void Catch(bool reset, int first, int last) {
        const int count = list_.Count();
        if (reset || count < rows_) {
            beginResetModel();
            rows_ = count;
            endResetModel();
            return;
        }
        last = std::min(last, rows_ - 1);
        if (first <= last) emit dataChanged(index(first), index(last), {Qt::DisplayRole});
        if (count > rows_) {
            beginInsertRows({}, rows_, count - 1);
            rows_ = count;
            endInsertRows();
        }
    }

  private:
    const ListBox& list_;
    int rows_;
};

// Draws each row through the standard delegate once and keeps the picture:
// a view repaints all its rows whenever one is added, and a copy per row is
// far cheaper than laying out its text again.
class RowPictures : public QStyledItemDelegate {
  public:
    RowPictures(QWidget* viewport, QObject* parent)
        : QStyledItemDelegate(parent), viewport_(viewport), pictures_(kPictureBytes) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const qreal ratio = painter->device()->devicePixelRatio();
        const QSize pixels = option.rect.size() * ratio;
        if (pixels.isEmpty() || pixels.width() > kWidestPicture) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QString key = QString("%1 %2x%3 %4 %5 ")
                                .arg(static_cast<int>(option.state))
                                .arg(option.rect.width())
                                .arg(option.rect.height())
                                .arg(ratio)
                                .arg(option.palette.cacheKey()) +
                            option.font.key() + '\n' + index.data().toString();
        if (const QPixmap* kept = pictures_.object(key)) {
            painter->drawPixmap(option.rect.topLeft(), *kept);
            return;
        }
        auto* picture = new QPixmap(pixels);
        picture->setDevicePixelRatio(ratio);
        const QPalette::ColorGroup group =
            !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
            : option.state & QStyle::State_Active   ? QPalette::Active
                                                    : QPalette::Inactive;
        picture->fill(viewport_->palette().color(group, viewport_->backgroundRole()));
        QPainter onPicture(picture);
        QStyleOptionViewItem atOrigin(option);
        atOrigin.rect.moveTo(0, 0);
        QStyledItemDelegate::paint(&onPicture, atOrigin, index);
        onPicture.end();
        painter->drawPixmap(option.rect.topLeft(), *picture);
        pictures_.insert(key, picture, pixels.width() * pixels.height() * 4);
    }

  private:
    QWidget* viewport_;
    mutable QCache<QString, QPixmap> pictures_;
};

class ListView : public QListView {
  public:
    ListView(ListBox& list, QWidget* parent)
        : QListView(parent), list_(list), model_(new ListModel(list, this)) {
        setUniformItemSizes(true);
        setModel(model_);
        setItemDelegate(new RowPictures(viewport(), this));
        refresh_.setSingleShot(true);
        refresh_.setInterval(kRefreshMs);
        connect(&refresh_, &QTimer::timeout, this, [this] { Sync(); });
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
        if (isVisible() && !refresh_.isActive()) refresh_.start();
    }

    void Sync() {
        refresh_.stop();
        model_->Catch(reset_, first_, last_);
        reset_ = false;
        first_ = INT_MAX;
        last_ = -1;
        if (!selectionChanged_) return;
        selectionChanged_ = false;
        // Like a list widget, a list without a selection keeps what the view shows selected.
        const int row = list_.ListIndex();
        if (row < 0 || row >= model_->rowCount({})) return;
        const QModelIndex current = model_->index(row);
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
        scrollTo(current);
    }

  protected:
    void showEvent(QShowEvent* event) override {
        Sync();
        QListView::showEvent(event);
    }

  private:
    ListBox& list_;
    ListModel* model_;
    QTimer refresh_;
    bool reset_ = false;
    int first_ = INT_MAX;
    int last_ = -1;
    bool selectionChanged_ = false;
};

}  // namespace

QWidget* CreateListView(ListBox& list, QWidget* parent) {
    auto* view = new ListView(list, parent);
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    view->setFont(mono);
    QPointer<ListView> guard(view);
    list.Observe([guard](Property p) {
        if (guard) guard->OnChange(p);
    });
    return view;
}

void SyncListView(QWidget* listView) {
    if (auto* view = dynamic_cast<ListView*>(listView)) view->Sync();
}

}  // namespace zan::ui
