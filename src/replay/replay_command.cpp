#include "replay/replay_command.h"

#include <cmath>
#include <ctime>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "core/number_value.h"
#include "replay/replay.h"
#include "state/instruments.h"
#include "state/view_codes.h"
#include "tool/command_line.h"

namespace zan {
namespace {

constexpr const char* kName = "zanhost-replay";

tool::Usage ReplayUsage(const std::string& versionLine) {
    return {kName,
            "RAWLOG RECORDING",
            "Runs a raw log through decoding and writes the recording file a live run\n"
            "in the same view would have written. --instrument is needed.",
            {{"--instrument", "MODEL", "VSF, VSFS, DFL, DFLS or TRIA"},
             {"--view", "VIEW",
              "counts, beta (VSF, VSFS, TRIA; beta by default) or\n"
              "counts, chlorophyll (DFL, DFLS; chlorophyll by default)"},
             {"--cal", "FILE", "the Cal Info file with the coefficients (VSF, VSFS, TRIA)"},
             {"--offset", "NUMBER", "the DFL offset (0 by default)"},
             {"--scale", "NUMBER", "the DFL scaling factor (1 by default)"},
             {"--append", "", "add to the recording file instead of replacing it"}},
            2,
            2,
            versionLine,
            tool::kExitStatusWithSignals};
}

struct UsageError {
    std::string text;
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

std::string NumberOption(const tool::Arguments& line, const std::string& option,
                         const char* fallback) {
    const auto given = line.options.find(option);
    if (given == line.options.end()) return fallback;
    double number = NAN;
    try {
        number = WholeTextNumber(given->second);
    } catch (const std::invalid_argument&) {}
    if (!std::isfinite(number))
        throw UsageError{"Option '" + option + "' needs a number, not '" + given->second + "'."};
    return given->second;
}

// The options a live run would have had; throws UsageError.
ReplayOptions Options(const tool::Arguments& line) {
    if (!line.Has("--instrument")) throw UsageError{"Option '--instrument' is needed."};
    ReplayOptions options;
    options.instrumentType = InstrumentCode(line.options.at("--instrument"));
    const auto view = line.options.find("--view");
    options.graphView =
        ViewCode(options.instrumentType, view == line.options.end() ? "" : view->second);
    if (line.Has("--cal") && IsDflFamily(options.instrumentType))
        throw UsageError{
            "Option '--cal' is for VSF, VSFS and TRIA; a DFL takes --offset and --scale."};
    options.dflOffset = NumberOption(line, "--offset", "0");
    options.dflScaling = NumberOption(line, "--scale", "1");
    options.append = line.Has("--append");
    // The file's header names it by its full path, as the save dialog gives it.
    options.outputPath = std::filesystem::absolute(line.operands[1]).string();
    return options;
}

LocalDateTime Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

// The Cal Info file's values; false when it ended early (the reader's words on err).
bool ReadCalibration(const std::string& path, ReplayOptions& options, std::ostream& err) {
    FieldStream cal(path, "Cal Info file");
    options.inputs.push_back({cal.Identity(), "the Cal Info file"});
    options.calibration = ParseCalInfo(cal, options.instrumentType);
    for (const CalInfoWarning& w : options.calibration->warnings)
        tool::Failure(kName, path + ", line " + std::to_string(w.line) + ": " + w.text, err);
    return !options.calibration->EndedEarly();
}

int Replay(const std::string& rawPath, ReplayOptions options, std::ostream& out, std::ostream& err,
           bool errIsTerminal, const tool::StopSignal& stopSignal) {
    FieldStream raw(rawPath, "raw log");
    options.inputs.push_back({raw.Identity(), "the raw log being replayed"});
    tool::Progress progress(err, errIsTerminal, raw.Size());
    const ReplayReport report = ReplayRawLog(raw, options, Today(), [&](std::uint64_t done) {
        progress.Show(done);
        return tool::StopRequested(stopSignal) == 0;
    });
    progress.Finish();
    if (report.failure) return tool::Failure(kName, *report.failure, err);
    const std::string summary = std::to_string(report.linesRead) + " lines read from " + rawPath +
                                ", " + std::to_string(report.linesWritten) + " lines written to " +
                                options.outputPath;
    // The recording so far is whole, ended with "EOF" and synced, as at a stop.
    return tool::Finished(kName, summary, stopSignal, out, err);
}

}  // namespace

int RunReplayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     bool errIsTerminal, const std::string& versionLine,
                     const tool::StopSignal& stopSignal) {
    const tool::Arguments line = tool::ReadArguments(ReplayUsage(versionLine), args, out, err);
    if (line.exitStatus) return *line.exitStatus;
    try {
        ReplayOptions options = Options(line);
        const auto cal = line.options.find("--cal");
        if (cal != line.options.end() && !ReadCalibration(cal->second, options, err))
            return tool::kExitFailure;
        return Replay(line.operands[0], options, out, err, errIsTerminal, stopSignal);
    } catch (const UsageError& e) {
        return tool::UsageError(kName, e.text, err);
    } catch (const std::exception& e) {
        return tool::Failure(kName, e.what(), err);
    }
}

}  // namespace zan
