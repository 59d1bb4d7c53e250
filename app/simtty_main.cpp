#include <signal.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>

#include "command_line.h"
#include "sim/pty_server.h"
#include "sim/simulated_sensor.h"

namespace {

// Text on its way out leaves in steps of about ten characters.
constexpr double kPaceSeconds = 0.010;

volatile std::sig_atomic_t wakeRequested = 0;
void RequestWake(int) { wakeRequested = 1; }

}  // namespace

// zanhost-simtty MODEL: serves a simulated sensor on a pseudo-terminal and
// prints the device path. A pseudo-terminal carries no DTR line, so SIGUSR1
// stands in for the DTR pulse that wakes the sensor.
int main(int argc, char** argv) {
    const zan::app::ProgramUsage usage{
        "zanhost-simtty", "[VSF|VSFS|DFL|DFLS|TRIA]",
        "Serves a simulated ZAN sensor (VSF by default) on a pseudo-terminal and prints\n"
        "its path. Send SIGUSR1 to wake the sensor, as a DTR pulse would.",
        1};
    const auto line = zan::app::ReadCommandLine(usage, argc, argv, std::cout, std::cerr);
    if (line.exitStatus) return *line.exitStatus;
    const auto model = line.operands.empty() ? zan::sim::SensorModel::Vsf
                                             : zan::sim::ParseSensorModel(line.operands.front());
    if (!model) {
        return zan::app::UsageError(
            usage.name,
            "Unknown model '" + line.operands.front() + "'; use VSF, VSFS, DFL, DFLS or TRIA.",
            std::cerr);
    }
    try {
        zan::sim::SimulatedSensor sensor(*model);
        zan::sim::PtyServer server(sensor);
        std::cout << server.Path() << std::endl;
        // The pulse is taken only while the loop sleeps, so none slips in
        // between its check and the sleep.
        sigset_t pulse;
        sigset_t sleeping;
        sigemptyset(&pulse);
        sigaddset(&pulse, SIGUSR1);
        sigprocmask(SIG_BLOCK, &pulse, &sleeping);
        sigdelset(&sleeping, SIGUSR1);
        std::signal(SIGUSR1, RequestWake);
        const auto start = std::chrono::steady_clock::now();
        const auto seconds = [start] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        };
        for (;;) {
            const double now = seconds();
            if (wakeRequested) {
                wakeRequested = 0;
                sensor.OnDtr(true, now);
                sensor.OnDtr(false, now);
            }
            server.Step(now);
            server.Wait(std::max(sensor.NextOutputTime() - seconds(), kPaceSeconds), &sleeping);
        }
    } catch (const std::exception& e) {
        std::cerr << "zanhost-simtty: " << e.what() << "\n";
        return 1;
    }
}
