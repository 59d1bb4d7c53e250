#include "service/log_check.h"

#include <unistd.h>

#include <filesystem>

#include "core/field_stream.h"
#include "core/user_file.h"
#include "service/log_files.h"
#include "service/posix_device_line.h"

namespace zan {
namespace {

const UserFileLimits kConfigLimits{"zanhost-log configuration", 64 * 1024};

void LoadCalibration(LoadedLogConfig& loaded) {
    const std::string& path = *loaded.config.calPath;
    try {
        FieldStream cal(path, "Cal Info file");
        loaded.calibration = ParseCalInfo(cal, loaded.config.instrumentType);
        for (const CalInfoWarning& w : loaded.calibration->warnings)
            loaded.problems.push_back(path + ", line " + std::to_string(w.line) + ": " + w.text);
    } catch (const std::exception& e) {
        loaded.problems.push_back(e.what());
    }
}

void CheckOutputFolder(LoadedLogConfig& loaded) {
    const std::string& folder = loaded.config.outputFolder;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        loaded.problems.push_back("output folder " + folder + " is not there");
    else if (::access(folder.c_str(), W_OK) != 0)
        loaded.problems.push_back("output folder " + folder + " cannot be written by this user");
}

std::string AdapterText(const LogConfig& c) {
    std::string text =
        c.portPath.empty() ? "the adapter with USB serial number " + c.usbSerial : c.portPath;
    if (!c.portPath.empty() && !c.usbSerial.empty())
        text += " (or the adapter with USB serial number " + c.usbSerial + " when it is gone)";
    const std::string now = DeviceToOpen(AdapterPortMap(c), 1, ListSystemSerialDevices());
    std::error_code error;
    return text + (std::filesystem::exists(now, error) ? ", now " + now : ", not present now");
}

}  // namespace

LoadedLogConfig LoadLogConfig(const std::string& path) {
    LoadedLogConfig loaded;
    std::string text;
    try {
        text = ReadUserTextFile(path, kConfigLimits);
    } catch (const std::exception& e) {
        loaded.problems.push_back(e.what());
        return loaded;
    }
    LogConfigResult parsed = ParseLogConfig(text, ConfigName(path));
    loaded.config = parsed.config;
    // The problems quote the file's words: their control bytes are shown escaped.
    for (const std::string& problem : parsed.problems)
        loaded.problems.push_back(path + ", " + EscapedText(problem));
    if (!loaded.problems.empty()) return loaded;
    if (loaded.config.calPath) LoadCalibration(loaded);
    CheckOutputFolder(loaded);
    return loaded;
}

std::string DescribeLogPlan(const LogConfig& c, const double utcSeconds) {
    const std::string period = PeriodName(UtcDateTime(utcSeconds), c.rotation);
    std::string plan = "zanhost-log would record the " + c.instrumentName + " '" + c.name + "':\n";
    plan += "  port:       " + AdapterText(c) + ", at 9600 baud, 8N1\n";
    plan +=
        "  sensor:     woken by a DTR pulse and started with \"r\" when the port opens;\n"
        "              woken again after " +
        std::to_string(static_cast<long long>(c.silenceSeconds)) + " s without a character\n";
    plan += "  decoding:   view " + c.viewName;
    if (c.calPath) plan += ", coefficients from " + *c.calPath;
    if (c.dflOffset != "0" || c.dflScaling != "1")
        plan += ", offset " + c.dflOffset + ", scaling factor " + c.dflScaling;
    plan += "\n  files:      a pair every UTC " +
            std::string(c.rotation == Rotation::Daily ? "day" : "hour") + ", now\n";
    plan += "              " + RawLogPath(c, period) + "\n";
    plan += "              " + RecordingPath(c, period) + "\n";
    plan += "  events:     " + EventLogPath(c) + "\n";
    if (c.broker)
        plan += "  broker:     each record published to " + c.broker->host + ":" +
                std::to_string(c.broker->port) + " under " + c.broker->topic + "\n";
    return plan;
}

}  // namespace zan
