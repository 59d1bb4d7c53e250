#include "replay/replay.h"

#include <chrono>
#include <string_view>

#include "acquisition/acquisition_loop.h"
#include "context/context.h"
#include "decoding/decoding_wiring.h"
#include "recording/recording_files.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr long long kProgressLines = 4096;
// No one follows a replay's file while it grows, so lines go to the system in batches.
constexpr size_t kReplayBatchBytes = 64 * 1024;

// The outside world of a replay: no events, no port, no dialogs; messages
// become the replay's failure.
class ReplayPlatform : public EventPump, public SerialPort, public Dialogs, public SystemClock {
  public:
    explicit ReplayPlatform(const LocalDateTime& now) : now_(now) {}
    std::optional<std::string> message;

    double Seconds() override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void DispatchPending() override {}
    void AddTimer(double, std::function<void()>) override {}

    void Open(int) override { throw PortError("A replay has no port"); }
    void Close() override {}
    bool IsOpen() const override { return false; }
    void Write(const std::string&) override { throw PortError("A replay has no port"); }
    std::string Read(int) override { return {}; }
    int CharsWaiting() override { return 0; }
    void SetDtr(bool) override {}
    std::string Describe(int) const override { return {}; }

    void MessageBox(const std::string& text, const std::string&, MessageIcon) override {
        if (!message) message = text;
    }
    FileDialogResult OpenFile(const FileDialogRequest&) override { return {}; }
    FileDialogResult SaveFile(const FileDialogRequest&) override { return {}; }

    LocalDateTime Now() override { return now_; }
    std::string ShortDatePattern() override { return "M/d/yyyy"; }

  private:
    LocalDateTime now_;
};

void Configure(Context& ctx, const ReplayOptions& options) {
    // Decoding and the writers read the instrument from the state alone; the
    // window's profile has nothing to show here.
    ctx.state.InstrumentType = options.instrumentType;
    if (options.calibration) {
        ApplyCalInfo(*options.calibration, ctx.main.MSFlexGrid2, options.instrumentType);
        if (options.instrumentType == kTria) ctx.state.CalibrationReloadPending = 1;
    }
    ctx.main.Text10.SetText(options.dflOffset);
    ctx.main.Text16.SetText(options.dflScaling);
    ctx.state.GraphView = options.graphView;
}

}  // namespace

ReplayReport ReplayRawLog(FieldStream& raw, const ReplayOptions& options, const LocalDateTime& now,
                          const std::function<bool(std::uint64_t bytesRead)>& progress) {
    ReplayPlatform platform(now);
    Context ctx(Platform{platform, platform, platform, platform});
    WireDecoding(ctx);
    Configure(ctx, options);
    ReplayReport report;
    auto fail = [&](const std::string& text) {
        report.failure = "line " + std::to_string(raw.Line()) + ": " + text;
    };
    auto seconds = [&platform] { return platform.Seconds(); };
    auto open = [&] {
        ctx.state.RecordingFile = OpenKeptFile(ctx.state, KeptFile::Recording, options.outputPath,
                                               options.append, now, seconds, kReplayBatchBytes);
    };
    // Opened at the first recorded line, when decoding has seen the head's layout.
    ctx.packetHandlers.writeRecordedLine = [&] {
        if (!ctx.state.RecordingFile) open();
        WriteRecordedLine(ctx);
    };
    ctx.state.Recording = 1;
    try {
        for (int i = 0; i < kRawLogHeaderFields; ++i) raw.ReadField();
        while (!raw.AtEnd() && !report.failure) {
            // Walked where the stream holds it, its line end after it: the walk
            // builds the same packets from text in any pieces.
            raw.Next();
            const std::string_view line = raw.Text();
            ++report.linesRead;
            WalkReceivedText(ctx, line, ReceiveEcho::Off);
            WalkReceivedText(ctx, "\r\n", ReceiveEcho::Off);
            if (platform.message) fail(*platform.message);
            if (IsPlaybackEnd(line)) break;
            if (progress && report.linesRead % kProgressLines == 0 && !progress(raw.BytesRead())) {
                report.cancelled = true;
                break;
            }
        }
        if (!ctx.state.RecordingFile && !report.failure && ctx.state.Recording == 1) open();
    } catch (const std::exception& e) {
        fail(e.what());
    }
    if (UserFileWriter* file = ctx.state.RecordingFile.get()) {
        if (!FinishKeptFile(*file) && !report.failure) report.failure = file->Failure()->Message();
        report.linesWritten = file->LinesWritten();
    }
    return report;
}

}  // namespace zan
