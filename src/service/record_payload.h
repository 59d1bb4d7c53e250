#pragma once
#include <string>

#include "core/short_date.h"
#include "core/user_file_writer.h"
#include "service/log_config.h"

namespace zan {

// The small JSON text a fleet receives for one decoded record: when it was
// received (UTC), which sensor, instrument and view, and each value by its
// column name with its unit:
// {"time":"2026-12-07T15:04:05Z","sensor":"mooring1","instrument":"VSF",
//  "view":"beta","values":{"100":0.001235,...},"units":{"100":"1/(m sr)",...}}
// The names and values come from the recording heading and the recorded
// line, so the fleet sees what the recording file keeps. The sensor's own
// date and time columns are left out.
std::string RecordPayload(const LogConfig& config, const LocalDateTime& utc,
                          const std::string& heading, const LinePieces& recordedLine);

}  // namespace zan
