#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "acquisition/acquisition_loop.h"
#include "shell/instrument_profiles.h"
#include "sim/sensor_model.h"
#include "virtual/virtual_program.h"

namespace {

using zan::sim::SensorModel;

// A stretch of realistic sensor output: one line a second, CR LF ended.
std::string SensorText(SensorModel model, int lines) {
    zan::sim::LineGenerator generator(model);
    std::string text;
    for (int k = 0; k < lines; ++k) text += generator.Line(k);
    return text;
}

// A loaded program with the port open on a scripted feed and decoding stubbed,
// so only the loop's own work is measured.
struct Bench {
    explicit Bench(SensorModel model) {
        feed = program.AttachFeed(1);
        program.Load();
        if (model == SensorModel::Tria)
            zan::inst6_Click(program.ctx);
        else if (model == SensorModel::Dfl)
            zan::inst4_Click(program.ctx);
        else
            zan::inst2_Click(program.ctx);
        program.ctx.main.op1.Click();
        program.ctx.packetHandlers = {};
    }
    zan::VirtualProgram program;
    std::shared_ptr<zan::FeedDevice> feed;
};

void WalkReceivedText(benchmark::State& state, SensorModel model) {
    Bench bench(model);
    const std::string text = SensorText(model, 100);
    for (auto _ : state) zan::WalkReceivedText(bench.program.ctx, text);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

// The whole tick: the port read and the walk, one feed's worth per tick.
void PollInstrument(benchmark::State& state, SensorModel model) {
    Bench bench(model);
    const std::string text = SensorText(model, 100);
    for (auto _ : state) {
        bench.feed->Feed(text);
        zan::PollInstrument(bench.program.ctx);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

BENCHMARK_CAPTURE(WalkReceivedText, Vsf, SensorModel::Vsf);
BENCHMARK_CAPTURE(WalkReceivedText, Dfl, SensorModel::Dfl);
BENCHMARK_CAPTURE(WalkReceivedText, Tria, SensorModel::Tria);
BENCHMARK_CAPTURE(PollInstrument, Vsf, SensorModel::Vsf);
BENCHMARK_CAPTURE(PollInstrument, Tria, SensorModel::Tria);

}  // namespace
