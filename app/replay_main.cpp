#include <unistd.h>

#include <iostream>

#include "recording/replay_command.h"
#include "shell/version.h"

// zanhost-replay: re-processes a raw log into a recording file; see --help.
int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string version = std::to_string(zan::kVersionMajor) + "." +
                                std::to_string(zan::kVersionMinor) + "." +
                                std::to_string(zan::kVersionRevision);
    return zan::RunReplayCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1, version);
}
