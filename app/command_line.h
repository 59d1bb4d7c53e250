#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace zan::app {

// What a command-line program without options of its own tells in --help.
struct ProgramUsage {
    std::string name;
    std::string synopsis;
    std::string description;
    std::size_t maxOperands = 0;
};

struct CommandLine {
    // Set when the program is to stop at once with this status: 0 after
    // --help or --version, 2 after an unknown option or a surplus argument.
    std::optional<int> exitStatus;
    std::vector<std::string> operands;
};

// Answers --help and --version and rejects unknown options the way every
// program does (tool/command_line.h); the description tells the exit status.
CommandLine ReadCommandLine(const ProgramUsage& usage, int argc, const char* const* argv,
                            std::ostream& out, std::ostream& err);

// "NAME VERSION", the --version line.
std::string VersionLine(const std::string& name);

// Takes SIGTERM, SIGINT and SIGHUP as a request to stop, which the program
// answers by ending its output with whole lines; a second one ends it at once.
void CatchStopSignals();
// The signal that asked the program to stop, 0 while none has.
int StopSignal();

// Reports a wrong command line and gives the status for it (2).
int UsageError(const std::string& name, const std::string& problem, std::ostream& err);

}  // namespace zan::app
