#include <benchmark/benchmark.h>

#include <string>

#include "acquisition/acquisition_loop.h"
#include "bench/dfl_history.h"
#include "decoding/process_packet.h"
#include "graphs/plot_packet.h"
#include "sim/sensor_model.h"
#include "state/view_codes.h"
#include "virtual/virtual_program.h"

namespace {

using zan::VirtualProgram;

// Handing the full history to the time graph, as each graphed DFL packet does.
void BM_PlotPacketTimeGraphFullHistory(benchmark::State& bench) {
    VirtualProgram program;
    program.Load();
    zan::bench::FillDflHistory(program);
    for (auto _ : bench) zan::PlotPacket(program.ctx);
    if (program.ctx.main.CWGraph2.Plots()[0].x.size() != static_cast<size_t>(zan::kHistorySlots))
        bench.SkipWithError("history not full");
    bench.SetItemsProcessed(bench.iterations());
}

// A whole DFL packet on a full history: decoding, the time window and the plot.
void BM_ProcessPacketTimeGraphFullHistory(benchmark::State& bench) {
    VirtualProgram program;
    program.Load();
    zan::bench::FillDflHistory(program);
    zan::ProgramState& s = program.ctx.state;
    zan::WalkReceivedText(program.ctx, "d\t20000\t620\r\n");
    s.PacketRow -= 1;
    for (auto _ : bench) zan::HandOnPacket(program.ctx);
    if (s.GraphView != zan::kViewDflCounts ||
        program.ctx.main.CWGraph2.Plots()[0].x.size() != static_cast<size_t>(zan::kHistorySlots))
        bench.SkipWithError("decoding failed or history not full");
    bench.SetItemsProcessed(bench.iterations());
}

void AnglePlotRepeatedly(benchmark::State& bench, zan::sim::SensorModel model,
                         void (*select)(VirtualProgram&)) {
    VirtualProgram program;
    program.Load();
    select(program);
    program.ctx.main.Command1.Click();
    zan::sim::LineGenerator generator(model);
    zan::WalkReceivedText(program.ctx, generator.Line(0));
    program.ctx.state.PacketRow = 0;
    for (auto _ : bench) zan::HandOnPacket(program.ctx);
    if (program.ctx.main.CWGraph1.Plots()[2].x.empty() &&
        program.ctx.main.CWGraph1.Plots()[4].x.empty())
        bench.SkipWithError("nothing plotted");
    bench.SetItemsProcessed(bench.iterations());
}

// A VSF or TRIA packet decoded and drawn on the angle graph.
void BM_ProcessPacketAngleGraphVsf(benchmark::State& bench) {
    AnglePlotRepeatedly(bench, zan::sim::SensorModel::Vsf, [](VirtualProgram& p) {
        p.ctx.main.inst2.Click();
        p.ctx.main.rang.Click();
    });
}
void BM_ProcessPacketAngleGraphTria(benchmark::State& bench) {
    AnglePlotRepeatedly(bench, zan::sim::SensorModel::Tria, [](VirtualProgram& p) {
        p.ctx.main.inst6.Click();
        p.ctx.main.triarcvsa.Click();
    });
}

}  // namespace

BENCHMARK(BM_PlotPacketTimeGraphFullHistory);
BENCHMARK(BM_ProcessPacketTimeGraphFullHistory);
BENCHMARK(BM_ProcessPacketAngleGraphVsf);
BENCHMARK(BM_ProcessPacketAngleGraphTria);
