#include "command_line.h"

#include <ostream>

namespace zan::app {

CommandLine ReadCommandLine(const ProgramUsage& usage, int argc, const char* const* argv,
                            std::ostream& out, std::ostream& err) {
    CommandLine line;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == "-h" || argument == "--help")) {
            out << "Usage: " << usage.name << " [options] " << usage.synopsis << "\n"
                << usage.description << "\n\nOptions:\n"
                << "  -h, --help     Displays help on commandline options.\n"
                << "  -v, --version  Displays version information.\n";
            line.exitStatus = 0;
            return line;
        } else if (!optionsEnded && (argument == "-v" || argument == "--version")) {
            out << VersionLine(usage.name) << "\n";
            line.exitStatus = 0;
            return line;
        } else if (!optionsEnded && argument.size() > 1 && argument[0] == '-') {
            line.exitStatus = UsageError(usage.name, "Unknown option '" + argument + "'.", err);
            return line;
        } else if (line.operands.size() == usage.maxOperands) {
            line.exitStatus =
                UsageError(usage.name, "Unexpected argument '" + argument + "'.", err);
            return line;
        } else {
            line.operands.push_back(argument);
        }
    }
    return line;
}

std::string VersionLine(const std::string& name) { return name + " " + ZANHOST_VERSION; }

int UsageError(const std::string& name, const std::string& problem, std::ostream& err) {
    err << name << ": " << problem << "\nTry '" << name << " --help' for more information.\n";
    return 2;
}

}  // namespace zan::app
