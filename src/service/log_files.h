#pragma once
#include <string>

#include "core/short_date.h"
#include "service/log_config.h"

namespace zan {

// The UTC date and time of seconds since 1970-01-01 00:00 UTC.
LocalDateTime UtcDateTime(double utcSeconds);
// "2026-12-07T15:04:05Z".
std::string IsoTime(const LocalDateTime& utc);
// The period a moment falls in, as the files name it: "2026-12-07" for a
// daily rotation, "2026-12-07T15" for an hourly one.
std::string PeriodName(const LocalDateTime& utc, Rotation rotation);

// The files of a period in the output folder: NAME_PERIOD_raw.txt and
// NAME_PERIOD.txt, and the event log NAME_events.log.
std::string RawLogPath(const LogConfig& config, const std::string& period);
std::string RecordingPath(const LogConfig& config, const std::string& period);
std::string EventLogPath(const LogConfig& config);

}  // namespace zan
