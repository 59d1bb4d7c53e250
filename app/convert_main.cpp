#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "conversion/convert_tool.h"
#include "shell/version.h"

// zanhost-convert DEVICE DATA OUT: a TRIA data file into calibrated values.
int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string version = std::to_string(zan::kVersionMajor) + "." +
                                std::to_string(zan::kVersionMinor) + "." +
                                std::to_string(zan::kVersionRevision);
    return zan::RunConvertTool(args, version, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
