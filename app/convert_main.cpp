#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "conversion/convert_tool.h"

// zanhost-convert DEVICE DATA OUT: a TRIA data file into calibrated values.
int main(int argc, char* argv[]) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return zan::RunConvertTool(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1);
}
