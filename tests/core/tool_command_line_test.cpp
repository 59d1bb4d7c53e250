#include <gtest/gtest.h>

#include <sstream>

#include "tool/command_line.h"

namespace zan::tool {
namespace {

const Usage kUsage{"zanhost-x",
                   "IN OUT",
                   "Does x.",
                   {{"--cal", "FILE", "the coefficients\nof x"}, {"--append", "", "adds"}},
                   2,
                   2,
                   "zanhost-x 4.1.4"};

struct ReadRun {
    Arguments line;
    std::string out, err;
};

ReadRun Read(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    Arguments line = ReadArguments(kUsage, args, out, err);
    return {line, out.str(), err.str()};
}

// Every program reads its line alike: options with and without values, "--",
// help and version on stdout, each mistake a usage error pointing to --help.
TEST(ToolCommandLine, OptionsOperandsHelpAndUsageErrorsTakeOneShape) {
    const ReadRun ok = Read({"--cal", "c.txt", "--append", "in", "--", "-out"});
    EXPECT_FALSE(ok.line.exitStatus);
    EXPECT_EQ(ok.line.options.at("--cal"), "c.txt");
    EXPECT_TRUE(ok.line.Has("--append"));
    EXPECT_EQ(ok.line.operands, (std::vector<std::string>{"in", "-out"}));

    const ReadRun help = Read({"in", "-h"});
    EXPECT_EQ(help.line.exitStatus, kExitDone);
    EXPECT_EQ(help.out,
              "Usage: zanhost-x [options] IN OUT\nDoes x.\n\nOptions:\n"
              "  --cal FILE          the coefficients\n"
              "                      of x\n"
              "  --append            adds\n"
              "  -h, --help          Displays help on commandline options.\n"
              "  -v, --version       Displays version information.\n\n"
              "Exit status: 0 done; 1 a file could not be read or written; 2 wrong usage.\n");
    EXPECT_EQ(Read({"--version"}).out, "zanhost-x 4.1.4\n");

    const std::string kTry = "\nTry 'zanhost-x --help' for more information.\n";
    const std::pair<std::vector<std::string>, std::string> wrong[] = {
        {{"-x"}, "zanhost-x: Unknown option '-x'." + kTry},
        {{"in", "out", "--cal"}, "zanhost-x: Option '--cal' needs a value." + kTry},
        {{"a", "b", "c"}, "zanhost-x: Unexpected argument 'c'." + kTry},
        {{"a"}, "zanhost-x: Expected IN OUT, got 1 argument." + kTry}};
    for (const auto& [args, err] : wrong) {
        const ReadRun run = Read(args);
        EXPECT_EQ(run.line.exitStatus, kExitUsage);
        EXPECT_EQ(run.err, err);
        EXPECT_EQ(run.out, "");
    }
}

// The bar shows on a terminal for a big input only, and leaves the line clean.
TEST(ToolCommandLine, TheProgressBarDrawsOnATerminalForBigInputsAndCleansUp) {
    std::ostringstream quiet, small, shown;
    Progress notTerminal(quiet, false, 1ull << 30), smallFile(small, true, 1 << 20),
        big(shown, true, 100'000'000);
    for (Progress* p : {&notTerminal, &smallFile, &big}) {
        p->Show(50'000'000);
        p->Show(50'000'001);
        p->Finish();
    }
    EXPECT_EQ(quiet.str() + small.str(), "");
    const std::string bar = "[" + std::string(20, '#') + std::string(20, '.') + "]  50% of 100 MB";
    EXPECT_EQ(shown.str(), "\r" + bar + "\r" + std::string(bar.size(), ' ') + "\r");
}

}  // namespace
}  // namespace zan::tool
