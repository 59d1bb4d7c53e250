#include "service/log_files.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

namespace zan {
namespace {

std::string InFolder(const LogConfig& config, const std::string& name) {
    return (std::filesystem::path(config.outputFolder) / name).string();
}

}  // namespace

LocalDateTime UtcDateTime(double utcSeconds) {
    const auto whole = static_cast<std::time_t>(utcSeconds);
    std::tm utc{};
    gmtime_r(&whole, &utc);
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec};
}

std::string IsoTime(const LocalDateTime& utc) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.year, utc.month, utc.day,
                  utc.hour, utc.minute, utc.second);
    return text;
}

std::string PeriodName(const LocalDateTime& utc, Rotation rotation) {
    char text[24];
    if (rotation == Rotation::Daily)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", utc.year, utc.month, utc.day);
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d", utc.year, utc.month, utc.day,
                      utc.hour);
    return text;
}

std::string RawLogPath(const LogConfig& config, const std::string& period) {
    return InFolder(config, config.name + "_" + period + "_raw.txt");
}

std::string RecordingPath(const LogConfig& config, const std::string& period) {
    return InFolder(config, config.name + "_" + period + ".txt");
}

std::string EventLogPath(const LogConfig& config) {
    return InFolder(config, config.name + "_events.log");
}

}  // namespace zan
