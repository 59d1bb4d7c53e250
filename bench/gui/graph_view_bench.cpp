#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>

#include "bench/dfl_history.h"
#include "ui/frame_pacer.h"
#include "ui/window_binder.h"

// What the window pays, drawn offscreen, for what streams in.
namespace {

// The program with its main window up on the given tab.
struct Window {
    explicit Window(int tab) {
        program.Load();
        program.ctx.main.Form1.SetVisible(true);
        binder.ShowVisibleWindows();
        program.ctx.main.SSTab1.SetCurrentTab(tab);
    }
    QWidget* Find(const char* name) const {
        return qobject_cast<QWidget*>(binder.Find(program.ctx.main.Form1, name));
    }
    // A frame of the window: the view takes in what changed and is drawn.
    static void Frame(QWidget* view) {
        QEvent due(zan::ui::kFrameDue);
        QCoreApplication::sendEvent(view, &due);
        benchmark::DoNotOptimize(view->grab());
    }

    zan::VirtualProgram program;
    zan::ui::WindowBinder binder{program.ctx};
};

QApplication& Offscreen() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zanhost_gui_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// One DFL point on a full time history: the packet, the graph taking in ten
// thousand points and its drawing. At a point a second, the time per point is
// the share of a core.
void BM_GraphViewPointOnFullHistory(benchmark::State& bench) {
    Offscreen();
    Window window(1);
    zan::VirtualProgram& program = window.program;
    zan::bench::FillDflHistory(program);
    QWidget* view = window.Find("CWGraph2");
    if (!view || !view->isVisible()) bench.SkipWithError("time graph not shown");
    int count = 20000;
    for (auto _ : bench) {
        zan::WalkReceivedText(program.ctx, "d\t" + std::to_string(++count) + "\t620\r\n");
        Window::Frame(view);
    }
    if (program.ctx.main.CWGraph2.Plots()[0].x.size() != static_cast<size_t>(zan::kHistorySlots))
        bench.SkipWithError("history not full");
    bench.SetItemsProcessed(bench.iterations());
}

// A character of noise that never ends its line, on a line of the given
// length, with a frame for every character: the cost must not grow with it.
void BM_ListViewCharOnLongLine(benchmark::State& bench) {
    Offscreen();
    Window window(2);
    QWidget* view = window.Find("List1");
    zan::WalkReceivedText(window.program.ctx,
                          std::string(static_cast<size_t>(bench.range(0)), 'x'));
    for (auto _ : bench) {
        zan::WalkReceivedText(window.program.ctx, "x");
        Window::Frame(view);
    }
    bench.SetItemsProcessed(bench.iterations());
}

}  // namespace

BENCHMARK(BM_GraphViewPointOnFullHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListViewCharOnLongLine)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
