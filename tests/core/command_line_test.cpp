#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zan::app {
namespace {

struct CommandLineCase {
    std::vector<const char*> arguments;
    std::optional<int> exitStatus;
    std::vector<std::string> operands;
    std::string error;
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, AnswersStopsOrPassesTheOperandsOn) {
    const ProgramUsage usage{"zanhost-simtty", "[MODEL]", "Serves a simulated sensor.", 1};
    std::vector<const char*> argv{"zanhost-simtty"};
    argv.insert(argv.end(), GetParam().arguments.begin(), GetParam().arguments.end());
    std::ostringstream out;
    std::ostringstream err;
    const CommandLine line =
        ReadCommandLine(usage, static_cast<int>(argv.size()), argv.data(), out, err);
    EXPECT_EQ(line.exitStatus, GetParam().exitStatus);
    EXPECT_EQ(line.operands, GetParam().operands);
    EXPECT_EQ(err.str(), GetParam().error);
    if (line.exitStatus != 0) {
        EXPECT_EQ(out.str(), "");
    }
}

const std::string kTryHelp = "\nTry 'zanhost-simtty --help' for more information.\n";

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    testing::Values(
        CommandLineCase{{}, std::nullopt, {}, ""},
        CommandLineCase{{"DFL"}, std::nullopt, {"DFL"}, ""},
        CommandLineCase{{"--help", "--bogus"}, 0, {}, ""}, CommandLineCase{{"-v"}, 0, {}, ""},
        CommandLineCase{
            {"DFL", "--bogus"}, 2, {"DFL"}, "zanhost-simtty: Unknown option '--bogus'." + kTryHelp},
        CommandLineCase{{"---"}, 2, {}, "zanhost-simtty: Unknown option '---'." + kTryHelp},
        CommandLineCase{
            {"VSF", "DFL"}, 2, {"VSF"}, "zanhost-simtty: Unexpected argument 'DFL'." + kTryHelp},
        // "-" and what follows "--" are operands, not options.
        CommandLineCase{{"-"}, std::nullopt, {"-"}, ""},
        CommandLineCase{{"--", "-x"}, std::nullopt, {"-x"}, ""}));

TEST(CommandLine, HelpShowsTheUsageAndVersionTheNumber) {
    const ProgramUsage usage{"zanhost-driver", "< SCRIPT", "Runs a script."};
    const char* help[] = {"zanhost-driver", "--help"};
    std::ostringstream out;
    std::ostringstream err;
    ReadCommandLine(usage, 2, help, out, err);
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')),
              "Usage: zanhost-driver [options] < SCRIPT");
    EXPECT_EQ(VersionLine("zanhost-driver").rfind("zanhost-driver ", 0), 0u);
}

}  // namespace
}  // namespace zan::app
