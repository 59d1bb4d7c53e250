#include "recording/playback.h"

#include "context/context.h"
#include "core/colour.h"
#include "link/port_operations.h"
#include "recording/recording_lines.h"
#include "state/instruments.h"

namespace zan {
namespace {

// The time history is cleared in slices with the window kept live between
// them, so the progress window does not hold the program for long.
constexpr size_t kHistorySlice = 1000;

void ClosedButtons(Context& ctx) {
    ctx.main.Command16.SetCaption("Open Raw File");
    ctx.main.Command17.SetEnabled(false);
}

void ClearTimeHistory(Context& ctx) {
    ctx.progress.Form3.SetVisible(true);
    auto& history = ctx.state.TimeHistoryX;
    for (size_t start = 0; start < history.size(); start += kHistorySlice) {
        ctx.platform.pump.DispatchPending();
        for (size_t i = start; i < history.size() && i < start + kHistorySlice; ++i) history[i] = 0;
    }
    ctx.progress.Form3.SetVisible(false);
}

void OpenRawFile(Context& ctx) {
    const FileDialogResult chosen = ShowCommonDialog(ctx, FileDialogKind::Open);
    if (chosen.cancelled || chosen.path.empty()) return;
    ProgramState& s = ctx.state;
    if (IsPortOpen(ctx)) ClosePort(ctx);
    ctx.main.Label29.SetCaption("File Name: " + chosen.name);
    try {
        auto file = std::make_unique<FieldStream>(chosen.path);
        for (int i = 0; i < kRawLogHeaderFields; ++i) file->ReadField();
        s.PlaybackFile = std::move(file);
    } catch (const FieldStreamError& e) {
        ClosedButtons(ctx);
        s.PlaybackFile.reset();
        const bool shortFile = e.kind == FieldStreamError::Kind::PastEnd;
        ShowError(ctx, shortFile ? chosen.path + " is not a raw log: it ends within its header"
                                 : e.what());
        return;
    }
    if (s.InstrumentType == kTria) s.PlaybackState = 2;
    ctx.main.Command16.SetCaption("Close Raw File");
    ctx.main.Command17.SetEnabled(true);
    ClearTimeHistory(ctx);
    s.GraphingOn = 1;
}

}  // namespace

void Command16_Click(Context& ctx) {
    ProgramState& s = ctx.state;
    if (ctx.main.Command16.Caption() == "Open Raw File") return OpenRawFile(ctx);
    if (s.PlaybackState == 0) {
        ClosedButtons(ctx);
        s.PlaybackFile.reset();
    } else if (s.PlaybackState == 1) {
        ctx.platform.dialogs.MessageBox("Please press play before closing raw data file", "");
    }
}

void Command17_Click(Context& ctx) {
    CommandButton& play = ctx.main.Command17;
    const bool start = play.Caption() == "Play";
    play.SetCaption(start ? "Stop Playing" : "Play");
    play.SetBackColour(start ? kLightRed : kLightGreen);
    ctx.state.PlaybackState = start ? 1 : 0;
}

void CWNumEdit1_ValueChanged(Context& ctx) {
    ctx.state.PlaybackDelay = static_cast<float>(ctx.main.CWNumEdit1.Value());
}

}  // namespace zan
