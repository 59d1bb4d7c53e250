#include <unistd.h>

#include <iostream>
#include <string>

#include "command_line.h"
#include "conversion/convert_tool.h"
#include "tool/command_line.h"

// zanhost-convert DEVICE DATA OUT: a TRIA data file into calibrated values.
int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    const zan::tool::Usage usage{
        "zanhost-convert",
        "DEVICE DATA OUT",
        "Converts a TRIA data file (DATA: one record per line, fields separated by tabs)\n"
        "into calibrated values with the scaling factors and offsets of a TRIA device\n"
        "file (DEVICE), as \"Process Data File\" does in ZAN Host. OUT is created or\n"
        "replaced, and is never DATA or DEVICE. A failure names the file, and the line\n"
        "and field where it applies; the lines converted before it stay in OUT.",
        {},
        3,
        3,
        zan::app::VersionLine("zanhost-convert"),
        zan::tool::kExitStatusWithSignals};
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto line = zan::tool::ReadArguments(usage, args, std::cout, std::cerr);
    if (line.exitStatus) return *line.exitStatus;
    const auto& names = line.operands;
    zan::app::CatchStopSignals();
    return zan::RunConvertTool({names[0], names[1], names[2]}, std::cout, std::cerr,
                               ::isatty(STDERR_FILENO) == 1, zan::app::StopSignal);
}
