#include <benchmark/benchmark.h>

#include "acquisition/acquisition_loop.h"
#include "decoding/process_packet.h"
#include "sim/sensor_model.h"
#include "state/view_codes.h"
#include "virtual/virtual_program.h"

namespace {

using zan::VirtualProgram;

// Decodes the same completed packet over and over, as ProcessPacket sees it
// from the acquisition loop, and reports packets per second.
void DecodeRepeatedly(benchmark::State& bench, void (*select)(VirtualProgram&), float view,
                      zan::sim::SensorModel model) {
    VirtualProgram program;
    program.Load();
    select(program);
    zan::ProgramState& s = program.ctx.state;
    zan::FlexGrid& table = program.ctx.main.MSFlexGrid2;
    for (int row = 1; row < 8; ++row)
        for (int col = 1; col < 5; ++col) table.SetCell(row, col, row < 4 ? "1.2E-06" : "50");
    program.ctx.main.Text10.SetText("45");
    program.ctx.main.Text16.SetText("0.012");
    zan::sim::LineGenerator generator(model);
    zan::WalkReceivedText(program.ctx, generator.Line(0));
    s.PacketRow = 0;
    s.CalibrationReloadPending = 1;
    s.GraphView = view;
    s.GraphingOn = 1;
    for (auto _ : bench) zan::HandOnPacket(program.ctx);
    if (s.GraphView != view) bench.SkipWithError("decoding failed");
    bench.SetItemsProcessed(bench.iterations());
}

void SelectVsf(VirtualProgram& p) { p.ctx.main.inst2.Click(); }
void SelectDfl(VirtualProgram& p) { p.ctx.main.inst4.Click(); }
void SelectTria(VirtualProgram& p) { p.ctx.main.inst6.Click(); }

void BM_ProcessPacketVsfBeta(benchmark::State& s) {
    DecodeRepeatedly(s, SelectVsf, zan::kViewVsfBeta, zan::sim::SensorModel::Vsf);
}
void BM_ProcessPacketVsfCounts(benchmark::State& s) {
    DecodeRepeatedly(s, SelectVsf, zan::kViewVsfCounts, zan::sim::SensorModel::Vsf);
}
void BM_ProcessPacketDflChlorophyll(benchmark::State& s) {
    DecodeRepeatedly(s, SelectDfl, zan::kViewDflChlorophyll, zan::sim::SensorModel::Dfl);
}
void BM_ProcessPacketDflCounts(benchmark::State& s) {
    DecodeRepeatedly(s, SelectDfl, zan::kViewDflCounts, zan::sim::SensorModel::Dfl);
}
void BM_ProcessPacketTriaCounts(benchmark::State& s) {
    DecodeRepeatedly(s, SelectTria, zan::kViewTriaCounts, zan::sim::SensorModel::Tria);
}
void BM_ProcessPacketTriaBeta(benchmark::State& s) {
    DecodeRepeatedly(s, SelectTria, zan::kViewTriaBeta, zan::sim::SensorModel::Tria);
}
void BM_ProcessPacketTriaLayoutOnly(benchmark::State& s) {
    DecodeRepeatedly(s, SelectTria, 0, zan::sim::SensorModel::Tria);
}

BENCHMARK(BM_ProcessPacketVsfBeta);
BENCHMARK(BM_ProcessPacketVsfCounts);
BENCHMARK(BM_ProcessPacketDflChlorophyll);
BENCHMARK(BM_ProcessPacketDflCounts);
BENCHMARK(BM_ProcessPacketTriaCounts);
BENCHMARK(BM_ProcessPacketTriaBeta);
BENCHMARK(BM_ProcessPacketTriaLayoutOnly);

}  // namespace
