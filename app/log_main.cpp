#include <poll.h>
#include <signal.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <iostream>
#include <memory>

#include "command_line.h"
#include "fleet/mqtt_publisher.h"
#include "ports/mapped_port.h"
#include "service/log_check.h"
#include "service/log_session.h"
#include "service/posix_device_line.h"
#include "tool/command_line.h"

namespace {

// The loop wakes at least this often, to tell the broker's comings and goings.
constexpr double kLongestSleep = 1.0;

volatile std::sig_atomic_t stopRequested = 0;
volatile std::sig_atomic_t reopenRequested = 0;
void RequestStop(int) { stopRequested = 1; }
void RequestReopen(int) { reopenRequested = 1; }

// The signals are taken only while the loop sleeps, so none slips in
// between its check and the sleep; returns the mask the sleep runs under.
sigset_t CatchSignals() {
    sigset_t caught, sleeping;
    sigemptyset(&caught);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&caught, signal);
    sigprocmask(SIG_BLOCK, &caught, &sleeping);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigdelset(&sleeping, signal);
    struct sigaction stop {
    }, reopen{};
    stop.sa_handler = RequestStop;
    reopen.sa_handler = RequestReopen;
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGHUP, &reopen, nullptr);
    return sleeping;
}

void Sleep(int descriptor, double seconds, const sigset_t* mask) {
    const double whole = std::floor(seconds);
    const timespec timeout{static_cast<time_t>(whole), static_cast<long>((seconds - whole) * 1e9)};
    pollfd line{descriptor, POLLIN, 0};
    ppoll(&line, descriptor >= 0 ? 1 : 0, &timeout, mask);
}

std::unique_ptr<zan::fleet::MqttPublisher> ConnectBroker(const zan::LogConfig& config) {
    if (!config.broker) return nullptr;
    return std::make_unique<zan::fleet::MqttPublisher>(config.broker->host, config.broker->port,
                                                       "zanhost-log-" + config.name);
}

int Run(const zan::LoadedLogConfig& loaded) {
    const zan::LogConfig& config = loaded.config;
    zan::SystemServiceClock clock;
    zan::PosixDeviceLine line;
    zan::MappedPort port(
        line, [] { return zan::ListSystemSerialDevices(); }, zan::AdapterPortMap(config));
    const auto broker = ConnectBroker(config);
    zan::RecordPublisher publish;
    if (broker)
        publish = [&broker](const std::string& topic, const std::string& payload) {
            broker->Publish(topic, payload);
        };
    zan::LogSession session(config, loaded.calibration, {clock, port, std::cerr, publish});
    const sigset_t sleeping = CatchSignals();
    session.Events().Tell("Started " + zan::app::VersionLine("zanhost-log") + " for '" +
                          config.name + "'.");
    const auto tell = [&session](const std::string& what) { session.Events().Tell(what); };
    while (!stopRequested) {
        session.Step();
        if (broker) broker->TellChanges(tell);
        if (reopenRequested) {
            reopenRequested = 0;
            session.ReopenFiles();
        }
        Sleep(line.Descriptor(), std::min(session.SecondsToNextDue(), kLongestSleep), &sleeping);
    }
    session.Finish();
    return 0;
}

}  // namespace

// zanhost-log [--check] CONFIG: records a sensor without a window; see --help.
int main(int argc, char** argv) {
    const zan::tool::Usage usage{
        "zanhost-log",
        "CONFIG",
        "Records a ZAN sensor without a window, for days or weeks: opens its port, wakes\n"
        "it and starts its run, and writes a raw log and a recording file per UTC day or\n"
        "hour, as the window writes them. It reopens a replugged adapter, wakes a silent\n"
        "sensor, and may publish each record to an MQTT broker. SIGTERM ends the files\n"
        "with EOF; SIGHUP ends them and opens new ones (for logrotate).",
        {{"--check", "", "read and check CONFIG, say what would be done, and exit"}},
        1,
        1,
        zan::app::VersionLine("zanhost-log"),
        "Exit status: 0 stopped by SIGTERM, or CONFIG is usable (--check); 1 CONFIG cannot\n"
        "be used; 2 wrong usage."};
    const std::vector<std::string> args(argv + 1, argv + argc);
    const auto line = zan::tool::ReadArguments(usage, args, std::cout, std::cerr);
    if (line.exitStatus) return *line.exitStatus;
    const std::string& path = line.operands.front();
    const zan::LoadedLogConfig loaded = zan::LoadLogConfig(path);
    for (const std::string& problem : loaded.problems)
        zan::tool::Failure(usage.name, problem, std::cerr);
    if (!loaded.problems.empty()) return zan::tool::kExitFailure;
    if (line.Has("--check")) {
        std::cout << path << " is valid.\n"
                  << zan::DescribeLogPlan(loaded.config, zan::SystemServiceClock().UtcSeconds());
        return zan::tool::kExitDone;
    }
    try {
        return Run(loaded);
    } catch (const std::exception& e) {
        return zan::tool::Failure(usage.name, e.what(), std::cerr);
    }
}
