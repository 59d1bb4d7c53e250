#include "service/log_session.h"

#include <algorithm>

#include "acquisition/acquisition_loop.h"
#include "context/context.h"
#include "decoding/decoding_wiring.h"
#include "link/port_operations.h"
#include "recording/recording_lines.h"
#include "service/log_files.h"
#include "service/record_payload.h"
#include "service/service_file.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr int kPortNumber = 1;

// The window's platform as an unattended run has it: the service's clocks,
// no events to dispatch, and messages told in the event log (once while
// they repeat, so a broken coefficient does not fill the disk).
class HeadlessPlatform : public EventPump, public Dialogs, public SystemClock {
  public:
    HeadlessPlatform(ServiceClock& clock, EventLog& events) : clock_(clock), events_(events) {}

    double Seconds() override { return clock_.Seconds(); }
    void DispatchPending() override {}
    void AddTimer(double, std::function<void()>) override {}

    void MessageBox(const std::string& text, const std::string&, MessageIcon) override {
        if (text == lastMessage_) return;
        lastMessage_ = text;
        events_.Tell(text);
    }
    FileDialogResult OpenFile(const FileDialogRequest&) override { return {}; }
    FileDialogResult SaveFile(const FileDialogRequest&) override { return {}; }

    LocalDateTime Now() override { return UtcDateTime(clock_.UtcSeconds()); }
    std::string ShortDatePattern() override { return "yyyy-MM-dd"; }

  private:
    ServiceClock& clock_;
    EventLog& events_;
    std::string lastMessage_;
};

enum class WakeStep { None, DtrOff, Run };

}  // namespace

struct LogSession::Impl {
    Impl(const LogConfig& c, const std::optional<CalInfoValues>& calibration, LogSessionParts p);

    void ConfigureDecoding(const std::optional<CalInfoValues>& calibration);
    void KeepPortOpen(double now);
    void StartWake(double now);
    void AdvanceWake(double now);
    void ReadPort(double now);
    void WakeIfSilent(double now);
    void PortLost(const std::string& what, double now);
    void KeepFiles(double now);
    void RecordPacket();
    void LogRawPacket();
    void Publish(const LinePieces& line);
    void FinishFiles();

    LogConfig config;
    LogSessionParts parts;
    EventLog events;
    HeadlessPlatform platform;
    Context ctx;
    ServiceFile recording;
    ServiceFile rawLog;
    std::string period;
    LocalDateTime packetTime;
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
      platform(parts.clock, events),
      ctx(Platform{platform, parts.port, platform, platform}),
      recording(KeptFile::Recording, events, [this] { return parts.clock.Seconds(); }),
      rawLog(KeptFile::RawLog, events, [this] { return parts.clock.Seconds(); }),
      silenceWait(config.silenceSeconds) {
    WireDecoding(ctx);
    ConfigureDecoding(calibration);
    ctx.packetHandlers.writeRecordedLine = [this] { RecordPacket(); };
    ctx.packetHandlers.writeRawLogLine = [this] { LogRawPacket(); };
    ctx.state.Recording = 1;
    ctx.state.RawLogging = 1;
    nextFileTick = parts.clock.Seconds() + kFileInterval;
}

// Decoding and the writers read the instrument, the view and the
// coefficients from the state and the window model, as a replay does.
void LogSession::Impl::ConfigureDecoding(const std::optional<CalInfoValues>& calibration) {
    ctx.state.InstrumentType = config.instrumentType;
    if (calibration) {
        ApplyCalInfo(*calibration, ctx.main.MSFlexGrid2, config.instrumentType);
        if (config.instrumentType == kTria) ctx.state.CalibrationReloadPending = 1;
    }
    ctx.main.Text10.SetText(config.dflOffset);
    ctx.main.Text16.SetText(config.dflScaling);
    ctx.state.GraphView = config.graphView;
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
    WalkReceivedText(ctx, text, ReceiveEcho::Off);
    // A packet decoding could not take switches decoding off in the window
    // until the user picks a view; unattended, the next packet is tried again.
    ctx.state.GraphView = config.graphView;
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
    DiscardPartLine(ctx);
    wake = WakeStep::None;
    reopenAt = now + kReopenInterval;
    waitingTold = true;
    events.Tell("Port lost: " + what + "; trying again every 0.5 s.");
}

void LogSession::Impl::KeepFiles(double now) {
    if (now < nextFileTick) return;
    nextFileTick = now + kFileInterval;
    const LocalDateTime utc = UtcDateTime(parts.clock.UtcSeconds());
    recording.Retry(ctx.state, utc);
    rawLog.Retry(ctx.state, utc);
    recording.SyncIfDue();
    rawLog.SyncIfDue();
}

// Runs first of the two writers for each packet: a packet of a new period
// ends the files of the last one.
void LogSession::Impl::RecordPacket() {
    packetTime = UtcDateTime(parts.clock.UtcSeconds());
    const std::string now = PeriodName(packetTime, config.rotation);
    if (now != period) {
        FinishFiles();
        period = now;
    }
    LinePieces line;
    if (!RecordedLine(ctx.state, ctx.main.MSFlexGrid1, ctx.main.Text47.Text(), line)) return;
    recording.Write(ctx.state, RecordingPath(config, period), packetTime, line);
    if (parts.publish && config.broker) Publish(line);
}

void LogSession::Impl::LogRawPacket() {
    rawLog.Write(ctx.state, RawLogPath(config, period), packetTime, RawLogLine(ctx.state));
}

void LogSession::Impl::Publish(const LinePieces& line) {
    // A VSFS or DFLS recording has no heading; its raw log's names the same columns.
    auto heading = HeadingLine(ctx.state, KeptFile::Recording);
    if (!heading) heading = HeadingLine(ctx.state, KeptFile::RawLog);
    parts.publish(config.broker->topic, RecordPayload(config, packetTime, *heading, line));
}

void LogSession::Impl::FinishFiles() {
    const LocalDateTime utc = UtcDateTime(parts.clock.UtcSeconds());
    recording.Finish(ctx.state, utc);
    rawLog.Finish(ctx.state, utc);
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
    impl_->FinishFiles();
    impl_->parts.port.Close();
    impl_->events.Tell("Stopped: both files ended with EOF.");
}

EventLog& LogSession::Events() { return impl_->events; }

}  // namespace zan
