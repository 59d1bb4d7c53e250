#include "replay/replay_command.h"

#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>

#include "core/number_value.h"
#include "replay/replay.h"
#include "state/instruments.h"
#include "state/view_codes.h"

namespace zan {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::uint64_t kProgressBarBytes = 8 * 1024 * 1024;
constexpr int kBarWidth = 40;

constexpr const char* kUsage =
    "Usage: zanhost-replay [options] --instrument MODEL RAWLOG RECORDING\n"
    "Runs a raw log through decoding and writes the recording file a live run\n"
    "in the same view would have written.\n"
    "\n"
    "  --instrument MODEL  VSF, VSFS, DFL, DFLS or TRIA\n"
    "  --view VIEW         counts, beta (VSF, VSFS, TRIA; beta by default) or\n"
    "                      counts, chlorophyll (DFL, DFLS; chlorophyll by default)\n"
    "  --cal FILE          the Cal Info file with the coefficients (VSF, VSFS, TRIA)\n"
    "  --offset NUMBER     the DFL offset (0 by default)\n"
    "  --scale NUMBER      the DFL scaling factor (1 by default)\n"
    "  --append            add to the recording file instead of replacing it\n"
    "  -h, --help          show this help\n"
    "  -v, --version       show the version\n";

struct UsageError {
    std::string text;
};

struct CommandLine {
    float instrument = kNoInstrument;
    std::string view;
    std::optional<std::string> calPath;
    std::string offset = "0", scaling = "1";
    bool append = false;
    std::vector<std::string> files;
};

float InstrumentCode(const std::string& model) {
    static const std::map<std::string, float> codes{
        {"VSF", kVsf}, {"VSFS", kVsfs}, {"DFL", kDfl}, {"DFLS", kDfls}, {"TRIA", kTria}};
    const auto it = codes.find(model);
    if (it == codes.end()) throw UsageError{"Unknown instrument '" + model + "'."};
    return it->second;
}

float ViewCode(float instrument, const std::string& view) {
    if (IsDflFamily(instrument)) {
        if (view.empty() || view == "chlorophyll") return kViewDflChlorophyll;
        if (view == "counts") return kViewDflCounts;
    } else if (instrument == kTria) {
        if (view.empty() || view == "beta") return kViewTriaBeta;
        if (view == "counts") return kViewTriaCounts;
    } else {
        if (view.empty() || view == "beta") return kViewVsfBeta;
        if (view == "counts") return kViewVsfCounts;
    }
    throw UsageError{"No view '" + view + "' for this instrument."};
}

std::string NumberOption(const std::string& option, const std::string& value) {
    try {
        WholeTextNumber(value);
    } catch (const std::invalid_argument&) {
        throw UsageError{"Option '" + option + "' needs a number, not '" + value + "'."};
    }
    return value;
}

CommandLine Parse(const std::vector<std::string>& args) {
    CommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw UsageError{"Option '" + arg + "' needs a value."};
            return args[++i];
        };
        if (arg == "--instrument")
            line.instrument = InstrumentCode(value());
        else if (arg == "--view")
            line.view = value();
        else if (arg == "--cal")
            line.calPath = value();
        else if (arg == "--offset")
            line.offset = NumberOption(arg, value());
        else if (arg == "--scale")
            line.scaling = NumberOption(arg, value());
        else if (arg == "--append")
            line.append = true;
        else if (arg.size() > 1 && arg[0] == '-')
            throw UsageError{"Unknown option '" + arg + "'."};
        else if (line.files.size() == 2)
            throw UsageError{"Unexpected argument '" + arg + "'."};
        else
            line.files.push_back(arg);
    }
    if (line.instrument == kNoInstrument) throw UsageError{"Option '--instrument' is needed."};
    if (line.files.size() != 2) throw UsageError{"Give the raw log and the recording file."};
    if (line.calPath && IsDflFamily(line.instrument))
        throw UsageError{
            "Option '--cal' is for VSF, VSFS and TRIA; a DFL takes --offset and --scale."};
    return line;
}

LocalDateTime Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

void DrawBar(std::ostream& err, std::uint64_t done, std::uint64_t total) {
    const double fraction = total ? static_cast<double>(done) / static_cast<double>(total) : 1;
    const int filled = static_cast<int>(fraction * kBarWidth);
    err << "\r[" << std::string(static_cast<size_t>(filled), '#')
        << std::string(static_cast<size_t>(kBarWidth - filled), '.') << "] "
        << static_cast<int>(fraction * 100) << "%" << std::flush;
}

}  // namespace

int RunReplayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     bool errIsTerminal, const std::string& versionLine) {
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            out << kUsage;
            return 0;
        }
        if (arg == "-v" || arg == "--version") {
            out << versionLine << "\n";
            return 0;
        }
    }
    ReplayOptions options;
    std::string rawPath;
    try {
        const CommandLine line = Parse(args);
        options.instrumentType = line.instrument;
        options.graphView = ViewCode(line.instrument, line.view);
        options.dflOffset = line.offset;
        options.dflScaling = line.scaling;
        options.append = line.append;
        rawPath = line.files[0];
        // The file's header names it by its full path, as the save dialog gives it.
        options.outputPath = std::filesystem::absolute(line.files[1]).string();
        if (line.calPath) {
            FieldStream cal(*line.calPath);
            options.calibration = ParseCalInfo(cal, line.instrument);
            for (const CalInfoWarning& w : options.calibration->warnings)
                err << "zanhost-replay: " << *line.calPath << ", line " << w.line << ": " << w.text
                    << "\n";
            if (options.calibration->EndedEarly()) return kExitFailure;
        }
    } catch (const UsageError& e) {
        err << "zanhost-replay: " << e.text
            << "\nTry 'zanhost-replay --help' for more information.\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        err << "zanhost-replay: " << e.what() << "\n";
        return kExitFailure;
    }
    try {
        FieldStream raw(rawPath);
        const bool bar = errIsTerminal && raw.Size() >= kProgressBarBytes;
        std::function<bool(std::uint64_t)> progress;
        if (bar)
            progress = [&](std::uint64_t done) {
                DrawBar(err, done, raw.Size());
                return true;
            };
        const ReplayReport report = ReplayRawLog(raw, options, Today(), progress);
        if (bar) {
            DrawBar(err, raw.Size(), raw.Size());
            err << "\n";
        }
        if (report.failure) {
            err << "zanhost-replay: " << rawPath << ", " << *report.failure << "\n";
            return kExitFailure;
        }
        out << report.linesRead << " lines read from " << rawPath << ", " << report.linesWritten
            << " lines written to " << options.outputPath << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << "zanhost-replay: " << e.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace zan
