#include "ui/list_view.h"

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QEvent>
#include <string>

#include "acquisition/acquisition_loop.h"
#include "gui/qt_test_app.h"
#include "ui/window_binder.h"
#include "virtual/virtual_program.h"

namespace zan::ui {
namespace {

constexpr int kFrameMs = 16;
// Long enough for the view's next refresh.
constexpr int kSettleMs = 250;

struct PaintCounter : QObject {
    int paints = 0;

    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// VSF lines numbered from first, the last still waiting for its line end, go
// through the acquisition loop's walk a few thousand characters every few ms.
void FeedLines(VirtualProgram& program, int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i)
        text += (i > 0 ? "\n" : "") + ("12/06/26\t12:00:00\t" + std::to_string(1000 + i)) +
                "\t1211\t962\t4014\r";
    for (size_t done = 0; done < text.size(); done += 2000) {
        WalkReceivedText(program.ctx, text.substr(done, 2000));
        test::RunEventLoop(3);
    }
    test::RunEventLoop(kSettleMs);
}

TEST(ListView, LinesReachTheViewCompleteWithTheNewestSelectedInBoundedRepaints) {
    test::App();
    VirtualProgram program;
    WindowBinder binder(program.ctx);
    program.ctx.main.Form1.SetVisible(true);
    binder.ShowVisibleWindows();
    auto* view = qobject_cast<QAbstractScrollArea*>(binder.Find(program.ctx.main.Form1, "List1"));
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    const ListBox& list = program.ctx.main.List1;
    const auto expectNewestSelectedAndShown = [&] {
        EXPECT_EQ(ListViewCurrentRow(view), list.Count() - 1);
        EXPECT_TRUE(ListViewRowInView(view, list.Count() - 1));
    };

    // On another tab the view is not drawn, and catches up when its tab shows.
    FeedLines(program, 0, 29);
    EXPECT_EQ(counter.paints, 0);
    program.ctx.main.SSTab1.SetCurrentTab(2);
    test::RunEventLoop(kSettleMs);
    ASSERT_EQ(ListViewRows(view), 30);
    expectNewestSelectedAndShown();

    counter.paints = 0;
    QElapsedTimer clock;
    clock.start();
    FeedLines(program, 30, 1999);
    const qint64 ms = clock.elapsed();
    ASSERT_EQ(list.Count(), 2000);
    ASSERT_EQ(ListViewRows(view), 2000);
    for (int row = 0; row < list.Count(); ++row)
        ASSERT_EQ(ListViewRowText(view, row).toStdString(), list.Entry(row));
    expectNewestSelectedAndShown();
    // About 82 000 characters, each of which changed the list: at most one
    // repaint a display frame.
    EXPECT_GE(counter.paints, 1);
    EXPECT_LE(counter.paints, ms / kFrameMs + 2) << ms << " ms";

    // A cleared list loses its highlight with its rows.
    program.ctx.main.List1.Clear();
    program.ctx.main.List1.AddItem("after");
    SyncListView(view);
    EXPECT_EQ(ListViewRows(view), 1);
    EXPECT_EQ(ListViewCurrentRow(view), -1);
}

}  // namespace
}  // namespace zan::ui
