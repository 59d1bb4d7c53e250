#pragma once
#include <optional>
#include <string>
#include <vector>

#include "calibration/cal_info_file.h"
#include "service/log_config.h"

namespace zan {

// A configuration file read and checked, with the Cal Info file it names.
struct LoadedLogConfig {
    LogConfig config;
    std::optional<CalInfoValues> calibration;
    // Everything that keeps it from running, each naming its file and line.
    std::vector<std::string> problems;
};

// Reads the configuration file and the Cal Info file it names, and checks
// that the output folder is there and can be written.
LoadedLogConfig LoadLogConfig(const std::string& path);

// What zanhost-log would do with a configuration, in plain words, with the
// file names of the period the given UTC time falls in.
std::string DescribeLogPlan(const LogConfig& config, double utcSeconds);

}  // namespace zan
