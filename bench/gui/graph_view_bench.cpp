#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>

#include "bench/dfl_history.h"
#include "ui/frame_pacer.h"
#include "ui/window_binder.h"

// What the window pays for one DFL point on a full time history: the packet,
// the graph taking in ten thousand points at its frame, and the drawing of
// the graph. At a point a second, its time per point is the share of a core.
namespace {

void BM_GraphViewPointOnFullHistory(benchmark::State& bench) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "zanhost_gui_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    zan::VirtualProgram program;
    program.Load();
    zan::ui::WindowBinder binder(program.ctx);
    program.ctx.main.Form1.SetVisible(true);
    binder.ShowVisibleWindows();
    program.ctx.main.SSTab1.SetCurrentTab(1);
    zan::bench::FillDflHistory(program);
    auto* view = qobject_cast<QWidget*>(binder.Find(program.ctx.main.Form1, "CWGraph2"));
    if (!view || !view->isVisible()) bench.SkipWithError("time graph not shown");
    int count = 20000;
    for (auto _ : bench) {
        zan::WalkReceivedText(program.ctx, "d\t" + std::to_string(++count) + "\t620\r\n");
        QEvent due(zan::ui::kFrameDue);
        QCoreApplication::sendEvent(view, &due);
        benchmark::DoNotOptimize(view->grab());
    }
    if (program.ctx.main.CWGraph2.Plots()[0].x.size() != static_cast<size_t>(zan::kHistorySlots))
        bench.SkipWithError("history not full");
    bench.SetItemsProcessed(bench.iterations());
}

}  // namespace

BENCHMARK(BM_GraphViewPointOnFullHistory)->Unit(benchmark::kMillisecond);
