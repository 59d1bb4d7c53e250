#include "sim/command_reader.h"

#include <gtest/gtest.h>

#include "sim/simulated_sensor.h"

namespace zan::sim {
namespace {

using Commands = std::vector<std::string>;

TEST(CommandReader, TheHeadReadsWordsWrittenBackToBack) {
    const struct {
        std::vector<std::string> writes;
        Commands commands;
    } cases[] = {
        {{"stop", "D"}, {"stop", "D"}},
        {{"stopD"}, {"stop", "D"}},
        {{"STOPc1", "F", "c2", "N", "c3", "B"}, {"STOPc1F", "c2N", "c3B"}},
        {{"CA1", "CB0", "CPP", "r"}, {"CA1", "CB0", "CPP", "r"}},
        {{"CA0CB1CPXR"}, {"CA0", "CB1", "CPX", "R"}},
        {{"ST", "OPS", "YR"}, {"STOPSYR"}},
        {{"xyzstop"}, {"stop"}},
        {{"o", "p", "P"}, {}},
    };
    for (const auto& c : cases) {
        CommandReader reader(SensorModel::Tria);
        Commands got;
        for (const std::string& text : c.writes)
            for (std::string& command : reader.Take(text)) got.push_back(std::move(command));
        EXPECT_EQ(got, c.commands) << c.writes[0];
    }
}

TEST(SimulatedTria, StopAtAPromptDumpsNothing) {
    SimulatedSensor head(SensorModel::Tria);
    std::string out;
    head.OnWrite("stop", 1.5);
    for (double t = 0; t < 3; t += 0.01) out += head.Produce(t);
    // At the prompt the old letter reader took the "o" of "stop" as Download.
    head.OnWrite("stop", 3);
    std::string after;
    for (double t = 3; t < 8; t += 0.01) after += head.Produce(t);
    EXPECT_FALSE(head.Streaming());
    EXPECT_EQ(out.substr(out.size() - 3), "\r\n>");
    EXPECT_EQ(after, "\r\n>");
}

}  // namespace
}  // namespace zan::sim
