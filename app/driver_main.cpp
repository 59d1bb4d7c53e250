#include <iostream>

#include "command_line.h"
#include "driver/driver.h"

// zanhost-driver: the program on virtual time, one command per line on
// standard input. The exit status is the number of failed commands (capped).
int main(int argc, char* argv[]) {
    const zan::app::ProgramUsage usage{
        "zanhost-driver", "< SCRIPT",
        "Runs ZAN Host on virtual time with simulated sensors and scripted dialogs,\n"
        "one command per line on standard input. The exit status is the number of\n"
        "failed commands (at most 100)."};
    const auto line = zan::app::ReadCommandLine(usage, argc, argv, std::cout, std::cerr);
    if (line.exitStatus) return *line.exitStatus;
    std::ios::sync_with_stdio(false);
    zan::Driver driver(std::cout);
    const int failures = driver.Run(std::cin);
    return failures > 100 ? 100 : failures;
}
