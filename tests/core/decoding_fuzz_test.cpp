#include <gtest/gtest.h>

#include <random>

#include "acquisition/acquisition_loop.h"
#include "decoding/process_packet.h"
#include "link/port_operations.h"
#include "sim/sensor_model.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

// Mutated lines of every sensor model, in every instrument and graph view: nothing may crash
// or read outside the packet table (the sanitizer build watches), and the loop's indices stay
// in their ranges.
TEST(DecodingFuzz, MutatedLinesOfEveryInstrumentAndViewNeverBreakTheLoop) {
    VirtualProgram program;
    program.Load();
    OpenPort(program.ctx, 1);
    std::mt19937 rng{20261206};
    const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    MainForm& m = program.ctx.main;
    ProgramState& s = program.ctx.state;
    MenuItem* instruments[] = {&m.inst2, &m.inst3, &m.inst4, &m.inst5, &m.inst6};
    const float views[] = {0, 1, 5, 6, 7, 11, 12, 99};
    std::vector<sim::LineGenerator> generators;
    for (auto model : {sim::SensorModel::Vsf, sim::SensorModel::Vsfs, sim::SensorModel::Dfl,
                       sim::SensorModel::Dfls, sim::SensorModel::Tria})
        generators.emplace_back(model, 7);
    for (int i = 0; i < 3000; ++i) {
        if (i % 40 == 0) {
            instruments[pick(5)]->Click();
            s.GraphView = views[pick(8)];
            s.GraphingOn = static_cast<float>(pick(2));
            m.MSFlexGrid2.SetCell(1 + pick(7), 1 + pick(4), pick(2) ? "5E-06" : "x");
        }
        std::string line = generators[static_cast<size_t>(pick(5))].Line(i);
        for (int e = pick(6); e > 0 && !line.empty(); --e) {
            const size_t at = static_cast<size_t>(pick(static_cast<int>(line.size())));
            const char* inserts[] = {"\t\t\t", "\r\n", "1e99999", "nan", "-"};
            if (pick(2))
                line[at] = static_cast<char>(pick(256));
            else
                line.insert(at, inserts[pick(5)]);
        }
        WalkReceivedText(program.ctx, line);
        ASSERT_TRUE(s.PacketRow >= 0 && s.PacketRow < kRingRows) << s.PacketRow;
        ASSERT_TRUE(s.PacketColumn >= 0 && s.PacketColumn < kSeparatorLimit) << s.PacketColumn;
        ASSERT_TRUE(s.TimePointIndex >= 0 && s.TimePointIndex < kHistorySlots);
    }
}

}  // namespace
}  // namespace zan
