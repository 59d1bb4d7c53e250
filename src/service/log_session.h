#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "calibration/cal_info_file.h"
#include "platform/serial_port.h"
#include "service/event_log.h"
#include "service/log_config.h"
#include "service/service_clock.h"

namespace zan {

// Hands a decoded record's payload to the fleet under the sensor's topic.
using RecordPublisher = std::function<void(const std::string& topic, const std::string& payload)>;

// What an unattended run reaches the world through.
struct LogSessionParts {
    ServiceClock& clock;
    SerialPort& port;         // port number 1 is the configured adapter
    std::ostream& messages;   // hears every event too (the system's journal)
    RecordPublisher publish;  // used when the configuration names a broker
};

// zanhost-log's work: keeps the port open (reopening it when the adapter
// comes back), wakes the sensor and starts its run, wakes it again when it
// falls silent, and runs every line through the window's packet walk,
// decoding and file writers into a raw log and a recording file per UTC day
// or hour. Each thing it does of itself is one line in its event log.
// Step never blocks, so a test drives it on a clock of its own.
class LogSession {
  public:
    // Waits between tries to open a lost adapter, between the DTR pulse's
    // edges and before the run command, and between file syncs and retries.
    static constexpr double kReopenInterval = 0.5;
    static constexpr double kDtrPulse = 0.5;
    static constexpr double kRunDelay = 1.0;
    static constexpr double kFileInterval = 2.0;
    // A sensor that stays silent is woken less and less often, up to once an hour.
    static constexpr double kLongestSilenceWait = 3600;

    LogSession(const LogConfig& config, const std::optional<CalInfoValues>& calibration,
               LogSessionParts parts);
    ~LogSession();
    LogSession(const LogSession&) = delete;
    LogSession& operator=(const LogSession&) = delete;

    // Takes what the port holds and does what has fallen due.
    void Step();
    // Seconds until something falls due when no input arrives.
    double SecondsToNextDue();
    // Ends both files with "EOF"; the next lines open them anew with their
    // header (after logrotate moved them away).
    void ReopenFiles();
    // Ends both files with "EOF" and closes the port.
    void Finish();
    EventLog& Events();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace zan
