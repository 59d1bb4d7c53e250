#include "service/log_session.h"

#include <algorithm>

#include "acquisition/packet_walk.h"
#include "context/packet_handlers.h"
#include "decoding/process_packet.h"
#include "link/port_operations.h"
#include "recording/recording_files.h"
#include "service/log_files.h"
#include "service/record_payload.h"
#include "service/service_file.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr int kPortNumber = 1;

enum class WakeStep { None, DtrOff, Run };

}  // namespace

struct LogSession::Impl {
    Impl(const LogConfig& c, const std::optional<CalInfoValues>& calibration, LogSessionParts p);

    void ConfigureDecoding(const std::optional<CalInfoValues>& calibration);
    void RegisterConsumers();
    void KeepPortOpen(double now);
    void StartWake(double now);
    void AdvanceWake(double now);
    void ReadPort(double now);
    void OnPacket();
    void WakeIfSilent(double now);
    void PortLost(const std::string& what, double now);
    void KeepFiles(double now);
    void StartPacket(const DecodedRecord& record);
    void Publish(const DecodedRecord& record);
    void FinishFiles();

    LogConfig config;
    LogSessionParts parts;
    EventLog events;
    // The program state decoding and the writers read, as a replay keeps it: no window.
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    PacketHandlers handlers;
    ServiceFile recording;
    ServiceFile rawLog;
    std::string period;
    LocalDateTime packetTime;
    std::string lastFailure;
    bool everOpened = false;
    bool waitingTold = false;
    double reopenAt = 0;
    WakeStep wake = WakeStep::None;
    double wakeAt = 0;
    double lastInput = 0;
    double silenceWait = 0;
    double nextFileTick = 0;
};

LogSession::Impl::Impl(const LogConfig& c, const std::optional<CalInfoValues>& calibration,
                       LogSessionParts p)
    : config(c),
      parts(std::move(p)),
      events(EventLogPath(config), parts.messages, [this] { return parts.clock.UtcSeconds(); }),
      recording(KeptFile::Recording, events, [this] { return parts.clock.Seconds(); }),
      rawLog(KeptFile::RawLog, events, [this] { return parts.clock.Seconds(); }),
      silenceWait(config.silenceSeconds) {
    ConfigureDecoding(calibration);
    RegisterConsumers();
    nextFileTick = parts.clock.Seconds() + kFileInterval;
}

// Decoding reads the instrument, the view and the coefficients from the
// state alone, as in a replay.
void LogSession::Impl::ConfigureDecoding(const std::optional<CalInfoValues>& calibration) {
    ProgramState& s = *state;
    s.InstrumentType = config.instrumentType;
    if (calibration) {
        ApplyCalInfo(*calibration, s.CalibrationTable, config.instrumentType);
        if (config.instrumentType == kTria) s.CalibrationReloadPending = 1;
    }
    s.DflOffsetText = config.dflOffset;
    s.DflScalingText = config.dflScaling;
    s.GraphView = config.graphView;
}

// The record of each packet goes, in this order, to the period's start, the
// recording file, the raw log and the fleet, as the window hands its records
// to its writers.
void LogSession::Impl::RegisterConsumers() {
    ProgramState& s = *state;
    handlers.decode = [&s](const PacketView& packet) { return ProcessPacket(s, packet); };
    handlers.Register([this](const DecodedRecord& record) { StartPacket(record); });
    handlers.Register([this](const DecodedRecord& record) {
        LinePieces line;
        if (RecordedLine(record, line))
            recording.Write(*state, RecordingPath(config, period), packetTime, line);
    });
    handlers.Register([this](const DecodedRecord& record) {
        rawLog.Write(*state, RawLogPath(config, period), packetTime, RawLogLine(record.packet));
    });
    if (parts.publish && config.broker)
        handlers.Register([this](const DecodedRecord& record) { Publish(record); });
}

void LogSession::Impl::KeepPortOpen(double now) {
    SerialPort& port = parts.port;
    if (port.IsOpen() || now < reopenAt) return;
    reopenAt = now + kReopenInterval;
    try {
        port.Open(kPortNumber);
    } catch (const PortError& e) {
        if (!waitingTold)
            events.Tell(std::string("Cannot open the port: ") + e.what() +
                        "; trying again every 0.5 s.");
        waitingTold = true;
        return;
    }
    events.Tell(std::string(everOpened ? "Port back: " : "Port opened: ") +
                port.Describe(kPortNumber) +
                " at 9600 baud, 8N1; waking the sensor (DTR pulse) and starting its run.");
    everOpened = true;
    waitingTold = false;
    StartWake(now);
}

void LogSession::Impl::StartWake(double now) {
    parts.port.SetDtr(true);
    wake = WakeStep::DtrOff;
    wakeAt = now + kDtrPulse;
    lastInput = now;
}

void LogSession::Impl::AdvanceWake(double now) {
    if (wake == WakeStep::None || now < wakeAt) return;
    try {
        if (wake == WakeStep::DtrOff) {
            parts.port.SetDtr(false);
            wake = WakeStep::Run;
            wakeAt = now + kRunDelay;
            return;
        }
        wake = WakeStep::None;
        lastInput = now;
        parts.port.Write("r");
    } catch (const PortError& e) {
        PortLost(e.what(), now);
    }
}

void LogSession::Impl::ReadPort(double now) {
    if (!parts.port.IsOpen()) return;
    std::string text;
    try {
        text = parts.port.Read(kTickReadLimit);
    } catch (const PortLostError& e) {
        return PortLost(e.what(), now);
    }
    if (text.empty()) return;
    lastInput = now;
    silenceWait = config.silenceSeconds;
    WalkPackets(*state, text, [this] { OnPacket(); });
}

void LogSession::Impl::OnPacket() {
    const PacketView packet = CompletedPacket(*state);
    const DecodedRecord record = handlers.decode(packet);
    for (const PacketHandlers::Consumer& consumer : handlers.consumers) consumer(record);
    NextPacketRow(*state);
    // A packet decoding could not take switches decoding off in the window
    // until the user picks a view; unattended, the next packet is tried again.
    state->GraphView = config.graphView;
}

void LogSession::Impl::WakeIfSilent(double now) {
    if (!parts.port.IsOpen() || wake != WakeStep::None || now - lastInput < silenceWait) return;
    events.Tell("No character for " + std::to_string(static_cast<long long>(now - lastInput)) +
                " s: waking the sensor (DTR pulse) and starting its run.");
    silenceWait = std::min(silenceWait * 2, std::max(kLongestSilenceWait, config.silenceSeconds));
    StartWake(now);
}

void LogSession::Impl::PortLost(const std::string& what, double now) {
    parts.port.Close();
    // The part of a line that arrived before the loss would join the next
    // line's end into a packet the sensor never sent.
    DiscardPartLine(*state);
    wake = WakeStep::None;
    reopenAt = now + kReopenInterval;
    waitingTold = true;
    events.Tell("Port lost: " + what + "; trying again every 0.5 s.");
}

void LogSession::Impl::KeepFiles(double now) {
    if (now < nextFileTick) return;
    nextFileTick = now + kFileInterval;
    const LocalDateTime utc = UtcDateTime(parts.clock.UtcSeconds());
    recording.Retry(*state, utc);
    rawLog.Retry(*state, utc);
    recording.SyncIfDue();
    rawLog.SyncIfDue();
}

// The first consumer of each record: a packet of a new period ends the
// files of the last one, and a failure to decode is told (once while it repeats).
void LogSession::Impl::StartPacket(const DecodedRecord& record) {
    packetTime = UtcDateTime(parts.clock.UtcSeconds());
    const std::string now = PeriodName(packetTime, config.rotation);
    if (now != period) {
        FinishFiles();
        period = now;
    }
    if (record.failure && *record.failure != lastFailure)
        events.Tell("A packet could not be decoded: " + *record.failure + ".");
    lastFailure = record.failure.value_or("");
}

void LogSession::Impl::Publish(const DecodedRecord& record) {
    LinePieces line;
    if (!RecordedLine(record, line)) return;
    // A VSFS or DFLS recording has no heading; its raw log's names the same columns.
    auto heading = HeadingLine(*state, KeptFile::Recording);
    if (!heading) heading = HeadingLine(*state, KeptFile::RawLog);
    parts.publish(config.broker->topic, RecordPayload(config, packetTime, *heading, line));
}

void LogSession::Impl::FinishFiles() {
    const LocalDateTime utc = UtcDateTime(parts.clock.UtcSeconds());
    recording.Finish(*state, utc);
    rawLog.Finish(*state, utc);
}

LogSession::LogSession(const LogConfig& config, const std::optional<CalInfoValues>& calibration,
                       LogSessionParts parts)
    : impl_(std::make_unique<Impl>(config, calibration, std::move(parts))) {}

LogSession::~LogSession() = default;

void LogSession::Step() {
    Impl& i = *impl_;
    const double now = i.parts.clock.Seconds();
    i.KeepPortOpen(now);
    i.AdvanceWake(now);
    i.ReadPort(now);
    i.WakeIfSilent(now);
    i.KeepFiles(now);
}

double LogSession::SecondsToNextDue() {
    Impl& i = *impl_;
    const double now = i.parts.clock.Seconds();
    double due = i.nextFileTick;
    if (!i.parts.port.IsOpen()) due = std::min(due, i.reopenAt);
    if (i.wake != WakeStep::None) due = std::min(due, i.wakeAt);
    if (i.parts.port.IsOpen() && i.wake == WakeStep::None)
        due = std::min(due, i.lastInput + i.silenceWait);
    return std::max(0.0, due - now);
}

void LogSession::ReopenFiles() {
    impl_->FinishFiles();
    impl_->events.Tell("Files ended with EOF and reopened at the next line (hang-up signal).");
}

void LogSession::Finish() {
    Impl& i = *impl_;
    i.FinishFiles();
    i.parts.port.Close();
    // A last try for lines held since a write failed; what still cannot be
    // written is lost with the program, and said so.
    const LocalDateTime utc = UtcDateTime(i.parts.clock.UtcSeconds());
    i.recording.Retry(*i.state, utc);
    i.rawLog.Retry(*i.state, utc);
    const size_t held = i.recording.HeldLines() + i.rawLog.HeldLines();
    if (held > 0)
        i.events.Tell("Stopped: " + std::to_string(held) +
                      " held lines could not be written and are lost.");
    else
        i.events.Tell("Stopped: both files ended with EOF.");
}

EventLog& LogSession::Events() { return impl_->events; }

}  // namespace zan
