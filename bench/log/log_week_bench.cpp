#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ports/mapped_port.h"
#include "service/log_session.h"
#include "service/posix_device_line.h"
#include "sim/pty_server.h"
#include "sim/simulated_sensor.h"
#include "state/instruments.h"
#include "state/view_codes.h"

namespace {

namespace fs = std::filesystem;

constexpr double kDay = 86400;
// Four seconds of the sensor's output at a time (four lines): the line is
// handed over through the terminal in bursts, so a week takes minutes.
constexpr double kStep = 4.0;

class TurnedClock : public zan::ServiceClock {
  public:
    double Seconds() override { return now; }
    double UtcSeconds() override { return 1796601600 + now; }  // 2026-12-07 00:00 UTC
    double now = 0;
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident * sysconf(_SC_PAGESIZE)) / 1024;
}

// zanhost-log's session on a simulated VSF through a pseudo-terminal, on a
// clock that runs as fast as the work allows: the days given as the
// argument, a raw log and a recording file a day. The counters give the
// share of a core the same work takes at the sensor's real pace, and the
// resident memory after the first and the last day.
void BM_LogSessionDays(benchmark::State& state) {
    const fs::path folder =
        fs::temp_directory_path() / ("zanhost-log-bench-" + std::to_string(getpid()));
    fs::create_directories(folder / "out");
    for (auto _ : state) {
        zan::sim::SimulatedSensor sensor(zan::sim::SensorModel::Vsf);
        zan::sim::PtyServer pty(sensor);
        TurnedClock clock;
        zan::LogConfig config;
        config.name = "bench";
        config.instrumentType = zan::kVsf;
        config.instrumentName = "VSF";
        config.graphView = zan::kViewVsfCounts;
        config.viewName = "counts";
        config.portPath = pty.Path();
        config.outputFolder = (folder / "out").string();
        zan::PosixDeviceLine device;
        zan::MappedPort port(device, {}, zan::AdapterPortMap(config));
        std::ostringstream events;
        zan::LogSession session(config, std::nullopt, {clock, port, events, {}});
        const double days = static_cast<double>(state.range(0));
        const double cpuStart = CpuSeconds();
        double firstDayKb = 0;
        while (clock.now < days * kDay) {
            clock.now += kStep;
            const bool due = sensor.NextOutputTime() <= clock.now;
            pty.Step(clock.now);
            pollfd line{device.Descriptor(), POLLIN, 0};
            if (due && line.fd >= 0) ::poll(&line, 1, 100);
            session.Step();
            if (firstDayKb == 0 && clock.now >= kDay) firstDayKb = ResidentKilobytes();
        }
        session.Finish();
        state.counters["core_share_at_9600_baud_percent"] =
            100 * (CpuSeconds() - cpuStart) / (days * kDay);
        state.counters["rss_after_first_day_kB"] = firstDayKb;
        state.counters["rss_at_end_kB"] = ResidentKilobytes();
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_LogSessionDays)->Arg(1)->Arg(7)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
