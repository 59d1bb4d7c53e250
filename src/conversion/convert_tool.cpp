#include "conversion/convert_tool.h"

#include <algorithm>
#include <filesystem>

#include "conversion/tria_conversion.h"

namespace zan {
namespace {

constexpr const char* kProgram = "zanhost-convert";
// Smaller files convert in a blink, so they get no bar.
constexpr unsigned long long kBigFile = 16ull << 20;
constexpr int kBarWidth = 30;

constexpr const char* kHelp =
    R"(Usage: zanhost-convert [OPTION]... DEVICE DATA OUT
Converts a TRIA data file into calibrated values with the coefficients of a
TRIA device file, as "Process Data File" does in ZAN Host.

  DEVICE     the device file: a title beginning with "ZAN TRIA" or "TRIA",
             three more fields, then nine lines of label, scaling factor and
             offset (blue, green, red at 100, 125 and 150 degrees)
  DATA       the data file: one record per line, fields separated by tabs
  OUT        the converted file, created or replaced; never DATA or DEVICE

  --help     show this help and exit
  --version  show the version and exit

Exit status: 0 converted; 1 a file could not be read or written (the message
names the file, and the line and field where it applies; the lines converted
before a failure stay in OUT); 2 wrong usage.
)";

int UsageError(std::ostream& err, const std::string& what) {
    err << kProgram << ": " << what << "\nTry '" << kProgram << " --help' for more information.\n";
    return 2;
}

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

int RunConvertTool(const std::vector<std::string>& args, const std::string& version,
                   std::ostream& out, std::ostream& err, bool errIsTerminal) {
    std::vector<std::string> names;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            names.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help") {
            out << kHelp;
            return 0;
        } else if (arg == "--version") {
            out << kProgram << " " << version << "\n";
            return 0;
        } else {
            return UsageError(err, "unknown option '" + arg + "'");
        }
    }
    if (names.size() != 3)
        return UsageError(err, "expected DEVICE DATA OUT, got " + std::to_string(names.size()) +
                                   " file name" + (names.size() == 1 ? "" : "s"));
    const ConversionFiles files{names[0], names[1], names[2]};

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
