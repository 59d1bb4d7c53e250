#include "recording/recording_wiring.h"

#include "context/context.h"
#include "recording/playback.h"
#include "recording/recording_files.h"

namespace zan {
namespace {

constexpr double kKeptFileSyncTick = UserFileWriter::kSyncInterval / 4;

}  // namespace

void WireRecording(Context& ctx) {
    MainForm& m = ctx.main;
    auto on = [&ctx](void (*handler)(Context&)) { return [&ctx, handler] { handler(ctx); }; };
    m.Command18.onClick = on(Command18_Click);
    m.Command19.onClick = on(Command19_Click);
    m.Command16.onClick = on(Command16_Click);
    m.Command17.onClick = on(Command17_Click);
    m.CWNumEdit1.onValueChanged = on(CWNumEdit1_ValueChanged);
    // Both timers are held back while neither file is open, so an idle
    // window is not woken for them.
    const auto noFileOpen = [&ctx] { return !ctx.state.RecordingFile && !ctx.state.RawLogFile; };
    // Lines that stop arriving still reach the disk within the sync interval.
    ctx.platform.pump.AddIdleTimer(kKeptFileSyncTick, on(SyncKeptFiles), noFileOpen);
    // The recorded line before the raw one, each while its file is on.
    ctx.packetHandlers.Register([&ctx](const DecodedRecord& record) {
        if (ctx.state.Recording == 1) WriteRecordedLine(ctx, record);
    });
    ctx.packetHandlers.Register([&ctx](const DecodedRecord& record) {
        if (ctx.state.RawLogging == 1) WriteRawLogLine(ctx, record);
    });
    ctx.platform.pump.AddIdleTimer(kFileStatusInterval, on(ShowFileStatus), noFileOpen);
}

}  // namespace zan
