#include "conversion/convert_tool.h"

#include <algorithm>
#include <filesystem>

namespace zan {
namespace {

constexpr const char* kProgram = "zanhost-convert";
// Smaller files convert in a blink, so they get no bar.
constexpr unsigned long long kBigFile = 16ull << 20;
constexpr int kBarWidth = 30;

// The share of the data file done, as "[##########          ]  50% of 94 MB".
std::string ProgressBar(unsigned long long done, unsigned long long total) {
    const unsigned long long percent = total ? std::min(done, total) * 100 / total : 100;
    const int filled = static_cast<int>(percent * kBarWidth / 100);
    std::string bar = "[" + std::string(static_cast<size_t>(filled), '#') +
                      std::string(static_cast<size_t>(kBarWidth - filled), ' ') + "] ";
    std::string number = std::to_string(percent);
    bar += std::string(3 - number.size(), ' ') + number + "% of ";
    return bar + std::to_string((total + 500000) / 1000000) + " MB";
}

}  // namespace

int RunConvertTool(const ConversionFiles& files, std::ostream& err, bool errIsTerminal) {
    ConversionOutcome outcome;
    try {
        const DeviceTable table = ReadDeviceFile(files.device);
        std::error_code ec;
        const unsigned long long size = std::filesystem::file_size(files.data, ec);
        const bool showBar = errIsTerminal && !ec && size >= kBigFile;
        std::string shown;
        outcome = ConvertTriaFile(table, files, [&](const ConversionProgress& p) {
            if (!showBar) return true;
            std::string bar = ProgressBar(p.bytesRead, size);
            if (bar != shown) err << '\r' << (shown = bar) << std::flush;
            return true;
        });
        if (!shown.empty()) err << '\r' << std::string(shown.size(), ' ') << '\r';
    } catch (const FileProblemError& e) {
        err << kProgram << ": " << e.what() << "\n";
        return 1;
    }
    if (outcome.problem) {
        err << kProgram << ": " << outcome.FailureMessage(files.converted) << "\n";
        return 1;
    }
    if (errIsTerminal)
        err << kProgram << ": " << outcome.records << " records of " << files.data
            << " converted into " << files.converted << "\n";
    return 0;
}

}  // namespace zan
