#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "conversion/tria_conversion.h"

namespace {

// Counts the converted lines and their bytes, so only the conversion is timed.
struct CountingSink : zan::LineSink {
    void WriteLine(std::string_view text) override { bytes += text.size() + 2; }
    size_t bytes = 0;
};

// A TRIA data file of about the given size: three colour sensors and the
// supply voltage, counts that vary from line to line.
std::string DataFile(size_t size) {
    std::string data;
    unsigned state = 1;
    for (int line = 0; data.size() < size; ++line) {
        data += "TRIA-0042 BGRVNNN\t" + std::to_string(line);
        for (int field = 0; field < 12; ++field) {
            state = state * 1103515245u + 12345u;
            data += '\t' + std::to_string(field % 4 == 3 ? 3995 + state % 10 : 700 + state % 1500);
        }
        data += "\t12.01\r\n";
    }
    return data;
}

// The converter from stream to lines, as zanhost-convert and the window run it.
void BM_ConvertTriaData(benchmark::State& bench) {
    const std::string data = DataFile(8 << 20);
    zan::DeviceTable device;
    for (size_t k = 0; k < device.size(); ++k) device[k] = {1.02e-6 + 1e-8 * k, 48.0 + k};
    for (auto _ : bench) {
        std::istringstream in(data);
        CountingSink out;
        const zan::ConversionOutcome outcome = zan::ConvertTriaData(in, "bench", device, out);
        if (outcome.problem) bench.SkipWithError(zan::Describe(*outcome.problem).c_str());
        benchmark::DoNotOptimize(out.bytes);
    }
    bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations() * data.size()));
}
BENCHMARK(BM_ConvertTriaData)->Unit(benchmark::kMillisecond);

}  // namespace
