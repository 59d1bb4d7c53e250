#include "ui/list_view.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <string>

#include "acquisition/acquisition_loop.h"
#include "gui/qt_test_app.h"
#include "ui/window_binder.h"
#include "virtual/virtual_program.h"

namespace zan::ui {
namespace {

constexpr int kDataTab = 2;
constexpr int kFrameMs = 16;
// Long enough for the view's next refresh.
constexpr int kSettleMs = 250;

class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// The receive list of a shown main window, fed as the acquisition loop feeds it.
class ListViewTest : public ::testing::Test {
  protected:
    ListViewTest() {
        test::App();
        program.ctx.main.Form1.SetVisible(true);
        binder.ShowVisibleWindows();
        view = qobject_cast<QAbstractItemView*>(binder.Find(program.ctx.main.Form1, "List1"));
        view->viewport()->installEventFilter(&counter);
    }

    // Lines like a VSF's; the last one still waits for its line end.
    static std::string Burst(int lines) {
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += "12/06/26\t12:00:00\t" + std::to_string(1000 + i) + "\t1211\t962\t4014" +
                    (i + 1 < lines ? "\r\n" : "\r");
        return text;
    }

    // Hands the text to the loop in chunks, one every few milliseconds, and
    // returns the milliseconds it took until the event loop settled.
    qint64 Feed(const std::string& text, size_t chunk) {
        QElapsedTimer clock;
        clock.start();
        QTimer feeder;
        size_t done = 0;
        QObject::connect(&feeder, &QTimer::timeout, [&] {
            WalkReceivedText(program.ctx, text.substr(done, chunk));
            done += chunk;
            if (done >= text.size()) feeder.stop();
        });
        feeder.start(3);
        while (feeder.isActive()) test::RunEventLoop(10);
        test::RunEventLoop(kSettleMs);
        return clock.elapsed();
    }

    // The row is shown from top to bottom.
    bool InView(const QModelIndex& index) const {
        const QRect row = view->visualRect(index);
        return row.top() >= 0 && row.bottom() < view->viewport()->height();
    }

    VirtualProgram program;
    WindowBinder binder{program.ctx};
    QAbstractItemView* view = nullptr;
    PaintCounter counter;
};

TEST_F(ListViewTest, BurstOfLinesReachesTheViewCompleteWithTheNewestSelected) {
    program.ctx.main.SSTab1.SetCurrentTab(kDataTab);
    test::RunEventLoop(kSettleMs);
    counter.paints = 0;

    const qint64 ms = Feed(Burst(2000), 2000);

    const ListBox& list = program.ctx.main.List1;
    ASSERT_EQ(list.Count(), 2000);
    ASSERT_EQ(view->model()->rowCount(), 2000);
    for (int row = 0; row < list.Count(); ++row)
        ASSERT_EQ(view->model()->index(row, 0).data().toString().toStdString(), list.Entry(row))
            << "row " << row;
    const QModelIndex newest = view->model()->index(1999, 0);
    EXPECT_EQ(view->currentIndex(), newest);
    EXPECT_TRUE(view->selectionModel()->isSelected(newest));
    EXPECT_TRUE(InView(newest));
    // About 84 000 characters, each of which changed the list: at most one
    // repaint a display frame.
    EXPECT_GE(counter.paints, 1);
    EXPECT_LE(counter.paints, ms / kFrameMs + 2) << ms << " ms";
}

TEST_F(ListViewTest, HiddenViewIsNotPaintedAndCatchesUpWhenShown) {
    program.ctx.main.SSTab1.SetCurrentTab(0);
    test::RunEventLoop(kSettleMs);
    counter.paints = 0;

    Feed(Burst(30), 200);
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(view->model()->rowCount(), 0);

    program.ctx.main.SSTab1.SetCurrentTab(kDataTab);
    test::RunEventLoop(kSettleMs);
    ASSERT_EQ(view->model()->rowCount(), 30);
    EXPECT_EQ(view->model()->index(29, 0).data().toString().toStdString(),
              program.ctx.main.List1.Entry(29));
    const QModelIndex newest = view->model()->index(29, 0);
    EXPECT_EQ(view->currentIndex(), newest);
    EXPECT_TRUE(InView(newest));
    EXPECT_GE(counter.paints, 1);
}

TEST_F(ListViewTest, ClearingTheListEmptiesTheViewAndALineWithoutEndDrawsItsStart) {
    ListBox& list = program.ctx.main.List1;
    list.AddItem("first");
    list.AddItem("second");
    list.Clear();
    const std::string noise(100000, 'x');
    for (char c : noise) list.AppendToEntry(0, c);
    SyncListView(view);

    ASSERT_EQ(view->model()->rowCount(), 1);
    const QString drawn = view->model()->index(0, 0).data().toString();
    EXPECT_TRUE(drawn.startsWith(QString(1000, 'x')));
    EXPECT_LT(drawn.size(), 10000);
}

}  // namespace
}  // namespace zan::ui
