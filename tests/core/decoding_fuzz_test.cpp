#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "acquisition/acquisition_loop.h"
#include "decoding/process_packet.h"
#include "link/port_operations.h"
#include "sim/sensor_model.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

// Mutated sensor lines of every model, in every graph view, with
// good, empty and nonsensical calibrations: nothing may crash or read outside
// the packet table, and the loop's indices stay in their ranges.
class DecodingFuzz : public ::testing::Test {
  protected:
    void SetUp() override {
        program.Load();
        feed = program.AttachFeed(1);
        OpenPort(program.ctx, 1);
    }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    std::string Junk() {
        static const char* const words[] = {"",          "-",     ".",   "abc", "1e99999",
                                            "-1e-99999", "nan",   "inf", "1,5", " 12 ",
                                            "0x1F",      "+.5e1", "\t",  "E"};
        switch (Pick(10)) {
            case 0: return std::string(300, '9');
            case 1: return std::string("\0\xff\x80", 3);
            default: return words[Pick(14)];
        }
    }

    std::string Mutate(std::string line) {
        const int edits = Pick(6);
        for (int e = 0; e < edits && !line.empty(); ++e) {
            const size_t at = static_cast<size_t>(Pick(static_cast<int>(line.size())));
            switch (Pick(7)) {
                case 0: line[at] = static_cast<char>(Pick(256)); break;
                case 1: line.erase(at, static_cast<size_t>(Pick(20))); break;
                case 2:
                    line.insert(at, std::string(static_cast<size_t>(1 + Pick(30)), '\t'));
                    break;
                case 3: line.insert(at, Junk()); break;
                case 4: line.insert(at, "\r\n"); break;
                case 5: line = line.substr(0, at); break;
                default: line[at] = static_cast<char>('A' + Pick(26)); break;
            }
        }
        return line;
    }

    void ScrambleSettings() {
        MainForm& m = program.ctx.main;
        ProgramState& s = program.ctx.state;
        MenuItem* instruments[] = {&m.inst2, &m.inst3, &m.inst4, &m.inst5, &m.inst6};
        instruments[Pick(5)]->Click();
        const float views[] = {0, 1, 5, 6, 7, 11, 12, 2, 99};
        s.GraphView = views[Pick(9)];
        s.GraphingOn = static_cast<float>(Pick(2));
        s.CalibrationReloadPending = static_cast<float>(Pick(2));
        m.CWNumEdit2.SetValue(Pick(10) - 2);
        m.Text10.SetText(Pick(2) ? std::to_string(Pick(200)) : Junk());
        m.Text16.SetText(Pick(2) ? "0.01" : Junk());
        for (int row = 1; row < 8; ++row)
            for (int col = 1; col < 5; ++col)
                m.MSFlexGrid2.SetCell(row, col,
                                      Pick(4) ? std::to_string(Pick(1000)) + "E-06" : Junk());
    }

    void CheckInvariants() {
        const ProgramState& s = program.ctx.state;
        ASSERT_TRUE(s.PacketRow >= 0 && s.PacketRow < kRingRows) << s.PacketRow;
        ASSERT_TRUE(s.PacketColumn >= 0 && s.PacketColumn < kSeparatorLimit) << s.PacketColumn;
        ASSERT_TRUE(s.TimePointIndex >= 0 && s.TimePointIndex < kHistorySlots) << s.TimePointIndex;
    }

    std::mt19937 rng{20261206};
    VirtualProgram program;
    std::shared_ptr<FeedDevice> feed;
};

TEST_F(DecodingFuzz, MalformedLinesOfEveryInstrumentAndViewNeverBreakTheLoop) {
    std::vector<sim::LineGenerator> generators;
    for (auto model : {sim::SensorModel::Vsf, sim::SensorModel::Vsfs, sim::SensorModel::Dfl,
                       sim::SensorModel::Dfls, sim::SensorModel::Tria})
        generators.emplace_back(model, 7);
    for (int i = 0; i < 6000; ++i) {
        if (i % 40 == 0) ScrambleSettings();
        auto& generator = generators[static_cast<size_t>(Pick(5))];
        const std::string line = Pick(3) ? Mutate(generator.Line(i)) : generator.Line(i);
        if (Pick(2)) {
            WalkReceivedText(program.ctx, line);
        } else {
            // Split across ticks as the port delivers it.
            const size_t cut = static_cast<size_t>(Pick(static_cast<int>(line.size()) + 1));
            feed->Feed(line.substr(0, cut));
            PollInstrument(program.ctx);
            feed->Feed(line.substr(cut));
            PollInstrument(program.ctx);
        }
        CheckInvariants();
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(program.ctx.main.MSFlexGrid1.Rows(), 11);
}

}  // namespace
}  // namespace zan
