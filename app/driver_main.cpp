#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "driver/driver.h"

namespace {

const char* const kName = "zanhost-driver";

// Takes --port N=DEVICE and --real-time out of the arguments; what is left
// goes to the command line every program shares. A problem is returned.
std::string TakeDeviceOptions(std::vector<const char*>& args, zan::DriverOptions& options) {
    std::vector<const char*> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string arg = args[i];
        if (arg == "--") {
            rest.insert(rest.end(), args.begin() + static_cast<long>(i), args.end());
            break;
        }
        if (arg == "--real-time") {
            options.realTime = true;
            continue;
        }
        if (arg != "--port" && arg.rfind("--port=", 0) != 0) {
            rest.push_back(args[i]);
            continue;
        }
        std::string binding = arg == "--port" ? "" : arg.substr(7);
        if (arg == "--port" && i + 1 < args.size()) binding = args[++i];
        const size_t equals = binding.find('=');
        const std::string number = binding.substr(0, equals);
        if (equals == std::string::npos || equals + 1 == binding.size() || number.size() != 1 ||
            number[0] < '1' || number[0] > '4')
            return "--port takes N=DEVICE with N from 1 to 4, such as 1=/dev/pts/3.";
        options.devices[number[0] - '0'] = binding.substr(equals + 1);
    }
    if (!options.devices.empty() && !options.realTime)
        return "--port needs --real-time: a device outside answers in real time.";
    args = rest;
    return {};
}

}  // namespace

// zanhost-driver: the program on virtual time, one command per line on
// standard input; with --real-time and --port N=DEVICE, on real time against
// a device outside it. The exit status is the number of failed commands
// (capped).
int main(int argc, char* argv[]) {
    const zan::app::ProgramUsage usage{
        kName, "[--real-time --port N=DEVICE]... < SCRIPT",
        "Runs ZAN Host on virtual time with simulated sensors and scripted dialogs,\n"
        "one command per line on standard input. The exit status is the number of\n"
        "failed commands (at most 100).\n\n"
        "  --real-time      Run on the monotonic clock instead of virtual time.\n"
        "  --port N=DEVICE  Port N (1..4) is the terminal DEVICE, such as a\n"
        "                   pseudo-terminal whose other side plays the sensor;\n"
        "                   needs --real-time."};
    std::vector<const char*> args(argv, argv + argc);
    zan::DriverOptions options;
    const std::string problem = TakeDeviceOptions(args, options);
    if (!problem.empty()) return zan::app::UsageError(kName, problem, std::cerr);
    const auto line = zan::app::ReadCommandLine(usage, static_cast<int>(args.size()), args.data(),
                                                std::cout, std::cerr);
    if (line.exitStatus) return *line.exitStatus;
    std::ios::sync_with_stdio(false);
    zan::Driver driver(std::cout, options);
    const int failures = driver.Run(std::cin);
    return failures > 100 ? 100 : failures;
}
