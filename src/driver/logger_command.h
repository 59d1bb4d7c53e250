#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "sim/logger_model.h"

namespace zan {

// "logger PORT [KEY VALUE]...": sets the simulated logger's settings and
// quirks, then prints them. Keys: bits (six characters 0, 1, 2 or others),
// smoothing, delay (hours before blocks), block, interval (seconds between
// measurements), pointer, busy on|off (keeps streaming through settings
// commands), prompt-echo on|off (prints ">P" as its echo).
void LoggerCommand(sim::LoggerModel& logger, const std::vector<std::string>& words,
                   std::ostream& out);

}  // namespace zan
