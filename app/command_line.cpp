#include "command_line.h"

#include <signal.h>

#include <csignal>

#include "tool/command_line.h"

namespace zan::app {
namespace {

volatile std::sig_atomic_t stopSignal = 0;
void RequestStop(int signal) { stopSignal = signal; }

}  // namespace

void CatchStopSignals() {
    struct sigaction stop {};
    stop.sa_handler = RequestStop;
    // Writes under way finish; the handler is taken once, so a second signal
    // ends a program that does not stop.
    stop.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &stop, nullptr);
}

int StopSignal() { return stopSignal; }

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
