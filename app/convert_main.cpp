#include <unistd.h>

#include <iostream>
#include <string>

#include "command_line.h"
#include "conversion/convert_tool.h"

// zanhost-convert DEVICE DATA OUT: a TRIA data file into calibrated values.
int main(int argc, char* argv[]) {
    const zan::app::ProgramUsage usage{
        "zanhost-convert", "DEVICE DATA OUT",
        "Converts a TRIA data file (DATA: one record per line, fields separated by tabs)\n"
        "into calibrated values with the scaling factors and offsets of a TRIA device\n"
        "file (DEVICE), as \"Process Data File\" does in ZAN Host. OUT is created or\n"
        "replaced, and is never DATA or DEVICE.\n\n"
        "Exit status: 0 converted; 1 a file could not be read or written (the message\n"
        "names the file, and the line and field where it applies; the lines converted\n"
        "before a failure stay in OUT); 2 wrong usage.",
        3};
    const auto line = zan::app::ReadCommandLine(usage, argc, argv, std::cout, std::cerr);
    if (line.exitStatus) return *line.exitStatus;
    const auto& names = line.operands;
    if (names.size() != 3)
        return zan::app::UsageError(
            usage.name,
            "Expected DEVICE DATA OUT, got " + std::to_string(names.size()) + " file names.",
            std::cerr);
    return zan::RunConvertTool({names[0], names[1], names[2]}, std::cerr,
                               ::isatty(STDERR_FILENO) == 1);
}
