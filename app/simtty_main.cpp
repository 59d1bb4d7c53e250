#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <thread>

#include "sim/pty_server.h"
#include "sim/simulated_sensor.h"

namespace {

volatile std::sig_atomic_t wakeRequested = 0;
void RequestWake(int) { wakeRequested = 1; }

}  // namespace

// zanhost-simtty MODEL: serves a simulated sensor on a pseudo-terminal and
// prints the device path. A pseudo-terminal carries no DTR line, so SIGUSR1
// stands in for the DTR pulse that wakes the sensor.
int main(int argc, char** argv) {
    const auto model = argc > 1 ? zan::sim::ParseSensorModel(argv[1]) : zan::sim::SensorModel::Vsf;
    if (!model) {
        std::cerr << "usage: zanhost-simtty [VSF|VSFS|DFL|DFLS|TRIA]\n";
        return 2;
    }
    try {
        zan::sim::SimulatedSensor sensor(*model);
        zan::sim::PtyServer server(sensor);
        std::cout << server.Path() << std::endl;
        std::signal(SIGUSR1, RequestWake);
        const auto start = std::chrono::steady_clock::now();
        for (;;) {
            const double now =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (wakeRequested) {
                wakeRequested = 0;
                sensor.OnDtr(true, now);
                sensor.OnDtr(false, now);
            }
            server.Step(now);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    } catch (const std::exception& e) {
        std::cerr << "zanhost-simtty: " << e.what() << "\n";
        return 1;
    }
}
