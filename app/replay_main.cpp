#include <unistd.h>

#include <iostream>

#include "command_line.h"
#include "replay/replay_command.h"

// zanhost-replay: re-processes a raw log into a recording file; see --help.
int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    zan::app::CatchStopSignals();
    return zan::RunReplayCommand(args, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1,
                                 zan::app::VersionLine("zanhost-replay"), zan::app::StopSignal);
}
