#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zan::tool {

// Every command-line program of the package ends with one of these.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailure = 1;  // a file could not be read or written
inline constexpr int kExitUsage = 2;    // the command line was wrong
// Stopped by a signal (SIGTERM, SIGINT, SIGHUP): 128 and the signal's number.
inline constexpr int kExitSignal = 128;
inline constexpr const char* kExitStatusWithSignals =
    "Exit status: 0 done; 1 a file could not be read or written; 2 wrong usage;\n"
    "128+N stopped by signal N (SIGTERM, SIGINT, SIGHUP), its output ended with\n"
    "whole lines and synced.";

// The signal that asked the tool to stop, 0 while none has.
using StopSignal = std::function<int()>;

// An option a program takes besides -h/--help and -v/--version: a flag, or
// one with a value when it names one ("--cal FILE").
struct Option {
    std::string name;   // "--cal"
    std::string value;  // "FILE", empty for a flag
    std::string help;   // one or more lines
};

// What a program tells about itself in --help, and what it accepts.
struct Usage {
    std::string name;
    std::string synopsis;
    std::string description;
    std::vector<Option> options;
    std::size_t minOperands = 0;
    std::size_t maxOperands = 0;
    std::string versionLine;
    // The help's last paragraph; a program whose status means more says so itself.
    std::string exitStatus =
        "Exit status: 0 done; 1 a file could not be read or written; 2 wrong usage.";
};

struct Arguments {
    // Set when the program is to stop at once with this status: kExitDone
    // after --help or --version, kExitUsage after a wrong command line.
    std::optional<int> exitStatus;
    std::vector<std::string> operands;
    // The options given, by name; a flag's value is empty. A repeated option
    // keeps its last value.
    std::map<std::string, std::string> options;

    bool Has(const std::string& name) const { return options.count(name) != 0; }
};

// Reads the arguments after the program's name the same way in every
// program: --help and --version answer on out, a wrong option or operand
// count is a usage error on err; "--" ends the options.
Arguments ReadArguments(const Usage& usage, const std::vector<std::string>& args, std::ostream& out,
                        std::ostream& err);
// The --help text.
std::string HelpText(const Usage& usage);
// Reports a wrong command line on err and gives kExitUsage.
int UsageError(const std::string& name, const std::string& problem, std::ostream& err);
// Reports a failure on err ("name: text") and gives kExitFailure.
int Failure(const std::string& name, const std::string& text, std::ostream& err);
// The signal that asked the tool to stop, 0 while none has or none is watched.
int StopRequested(const StopSignal& stopSignal);
// Ends a run whose output is whole: the summary on out and kExitDone, or, when
// a signal stopped it, "name: stopped by SIGTERM: summary" on err and its status.
int Finished(const std::string& name, const std::string& summary, const StopSignal& stopSignal,
             std::ostream& out, std::ostream& err);

// A progress bar on err, drawn only when err is a terminal and the input is
// big enough to take a while; finished, it leaves the terminal's line clean.
class Progress {
  public:
    Progress(std::ostream& err, bool errIsTerminal, std::uint64_t totalBytes);
    bool Shown() const { return shown_; }
    void Show(std::uint64_t bytesDone);
    void Finish();

  private:
    std::ostream& err_;
    bool shown_;
    std::uint64_t total_;
    std::string drawn_;
};

}  // namespace zan::tool
