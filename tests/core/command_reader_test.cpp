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

}  // namespace
}  // namespace zan::sim
