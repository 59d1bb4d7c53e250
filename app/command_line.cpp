#include "command_line.h"

#include "tool/command_line.h"

namespace zan::app {

CommandLine ReadCommandLine(const ProgramUsage& usage, int argc, const char* const* argv,
                            std::ostream& out, std::ostream& err) {
    const tool::Usage shape{usage.name, usage.synopsis,    usage.description,       {},
                            0,          usage.maxOperands, VersionLine(usage.name), ""};
    const tool::Arguments arguments =
        tool::ReadArguments(shape, std::vector<std::string>(argv + 1, argv + argc), out, err);
    return {arguments.exitStatus, arguments.operands};
}

std::string VersionLine(const std::string& name) { return name + " " + ZANHOST_VERSION; }

int UsageError(const std::string& name, const std::string& problem, std::ostream& err) {
    return tool::UsageError(name, problem, err);
}

}  // namespace zan::app
