#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "replay/replay.h"
#include "sim/sensor_model.h"
#include "state/instruments.h"

// zanhost-replay's work on a big VSF raw log in the beta view, beside mawk
// doing the same parse and arithmetic on the same file.
namespace {

namespace fs = std::filesystem;

const fs::path kDir =
    fs::temp_directory_path() / ("zan_replay_bench_" + std::to_string(::getpid()));

// A VSF's coefficients as a calibration gives them (examples/vsf_cal_info.txt):
// betas of a few thousandths, written with up to six decimals.
constexpr const char* kCalInfo =
    "ZAN cal.txt\r\nCreated on: 12/6/2026\r\n\r\r\nAngle\tScaling Factor\tOffset\r\n"
    "100\t1.1E-06\t60\r\n125\t1.3E-06\t55\r\n150\t1.5E-06\t50\r\n";

// The same lines through the same formula, written as the replay writes
// them (bench/convert_vs_awk.sh compares the two outputs byte for byte):
// counts less offset times scaling, rounded down to millionths after adding
// a half (the generated counts lie above the offsets, so int() rounds down),
// in 15 digits with a capital E; date, time and reference kept.
constexpr const char* kAwkScript =
    R"(function text(x,  t) {
    t = sprintf("%.15g", x)
    if (index(t, "e")) sub(/e/, "E", t)
    return t
}
function beta(count, offset, scaling) {
    return text(int(((count - offset) * scaling + 0.0000005) * 1000000) / 1000000)
}
BEGIN { FS = "\t"; RS = "\r\n"; ORS = "\r\n" }
NR <= 3 { next }
/[Ee][Oo][Ff]/ { print "EOF"; exit }
NF == 6 {
    print $1 "\t" $2 "\t" beta($3, 60, 0.0000011) "\t" beta($4, 55, 0.0000013) "\t" beta($5, 50, 0.0000015) "\t" $6
}
)";

struct RawLog {
    fs::path path;
    long long lines = 0;
};

// A raw log of about the given size, written as it is generated.
const RawLog& VsfRawLog(long megabytes) {
    static std::map<long, RawLog> logs;
    RawLog& log = logs[megabytes];
    if (!log.path.empty()) return log;
    fs::create_directories(kDir);
    log.path = kDir / ("vsf_" + std::to_string(megabytes) + "mb.txt");
    std::ofstream out(log.path, std::ios::binary);
    out << "Created on 12-06-2026\r\nLocation : " << log.path.string()
        << "\r\nDate\tTime\t100\t125\t150\tRef\r\n";
    zan::sim::LineGenerator generator(zan::sim::SensorModel::Vsf);
    const auto bytes = static_cast<std::uintmax_t>(megabytes) * 1024 * 1024;
    for (std::uintmax_t written = 0; written < bytes; ++log.lines) {
        const std::string line = generator.Line(static_cast<double>(log.lines));
        out << line;
        written += line.size();
    }
    out << "EOF\r\n";
    std::ofstream(kDir / "cal.txt", std::ios::binary) << kCalInfo;
    std::ofstream(kDir / "beta.awk", std::ios::binary) << kAwkScript;
    return log;
}

double PeakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

// Processor time of finished child processes, for a fair comparison on a busy machine.
double ChildCpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_ReplayVsfBeta(benchmark::State& state) {
    const RawLog& log = VsfRawLog(state.range(0));
    zan::FieldStream cal((kDir / "cal.txt").string(), "Cal Info file");
    zan::ReplayOptions options;
    options.instrumentType = zan::kVsf;
    options.graphView = 1;
    options.calibration = zan::ParseCalInfo(cal, zan::kVsf);
    options.outputPath = (kDir / "replayed.txt").string();
    for (auto _ : state) {
        zan::FieldStream raw(log.path.string(), "raw log");
        const auto report = zan::ReplayRawLog(raw, options, zan::LocalDateTime{});
        if (report.failure) state.SkipWithError(report.failure->c_str());
    }
    state.counters["lines_per_s"] = benchmark::Counter(
        static_cast<double>(log.lines), benchmark::Counter::kIsIterationInvariantRate);
    // Stays the same for 10 and 100 MB: the replay streams.
    state.counters["peak_rss_MB"] = PeakMegabytes();
}

void BM_MawkVsfBeta(benchmark::State& state) {
    const RawLog& log = VsfRawLog(state.range(0));
    const std::string command = "mawk -f '" + (kDir / "beta.awk").string() + "' '" +
                                log.path.string() + "' > '" + (kDir / "awk.txt").string() + "'";
    const double cpuBefore = ChildCpuSeconds();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) state.SkipWithError("mawk did not run");
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["lines_per_s"] = benchmark::Counter(
        static_cast<double>(log.lines), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["mawk_cpu_ms"] = (ChildCpuSeconds() - cpuBefore) * 1000;
}

BENCHMARK(BM_ReplayVsfBeta)
    ->Arg(10)
    ->Arg(100)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MawkVsfBeta)->Arg(100)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

struct RemoveFiles {
    ~RemoveFiles() { fs::remove_all(kDir); }
} removeFiles;

}  // namespace
