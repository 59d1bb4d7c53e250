#include "recording/playback.h"

#include <cstdint>

#include "context/context.h"
#include "core/colour.h"
#include "core/word_scan.h"
#include "link/port_operations.h"
#include "link/port_watch.h"
#include "recording/recording_lines.h"
#include "state/instruments.h"
#include "state/open_files.h"

namespace zan {
namespace {

// The time history is cleared in slices with the window kept live between
// them, so the progress window does not hold the program for long.
constexpr size_t kHistorySlice = 1000;

void ClosedButtons(Context& ctx) {
    ctx.main.Command16.SetCaption("Open Raw File");
    ctx.main.Command17.SetEnabled(false);
}

void ShowPlayIdle(Context& ctx) {
    ctx.main.Command17.SetCaption("Play");
    ctx.main.Command17.SetBackColour(kLightGreen);
    ctx.state.PlaybackState = PlaybackMode::Idle;
}

// The end of the played file: what stopping Play and closing the file would
// do, without their buttons' own rules (a TRIA's single-line read would turn
// Play on again and then refuse to close).
void EndPlayback(Context& ctx) {
    ProgramState& s = ctx.state;
    s.PlaybackFile.reset();
    ctx.main.Label29.SetCaption(ctx.main.Label29.Caption() + " :EOF");
    ShowPlayIdle(ctx);
    if (s.InstrumentType == kTria)
        ClosedButtons(ctx);
    else
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
    // The played lines take the port's place; the status bar says where the port went.
    if (IsPortOpen(ctx)) {
        const int open = OpenPortNumber(ctx);
        ClosePort(ctx);
        ShowPortStatus(ctx, "Port " + std::to_string(open) + " closed to play back " + chosen.name +
                                "; Connection > Open Port " + std::to_string(open) +
                                " takes it up again");
    }
    ctx.main.Label29.SetCaption("File Name: " + chosen.name);
    try {
        auto file = std::make_unique<FieldStream>(chosen.path, "raw log", FieldRules{},
                                                  kPlaybackUse, OpenFiles(s));
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
    if (s.InstrumentType == kTria) s.PlaybackState = PlaybackMode::OneLine;
    ctx.main.Command16.SetCaption("Close Raw File");
    ctx.main.Command17.SetEnabled(true);
    ClearTimeHistory(ctx);
    s.GraphingOn = 1;
}

}  // namespace

bool IsPlayingBack(const ProgramState& s) { return s.PlaybackState != PlaybackMode::Idle; }

std::string ReadPlaybackText(Context& ctx) {
    ProgramState& s = ctx.state;
    if (!s.PlaybackFile)
        throw std::runtime_error(
            "The raw file was played to its end and is closed. Click \"Close Raw File\", then "
            "\"Open Raw File\" to play it again.");
    const bool atEnd = s.PlaybackFile->AtEnd();
    std::string text = atEnd ? std::string() : s.PlaybackFile->ReadField() + "\r\n";
    if (atEnd || IsPlaybackEnd(text))
        EndPlayback(ctx);
    else if (s.PlaybackState == PlaybackMode::OneLine)
        s.PlaybackState = PlaybackMode::Idle;
    return text;
}

// Playback stops before the box opens: ticks run while it is shown.
void StopPlayback(Context& ctx) { ShowPlayIdle(ctx); }

bool IsPlaybackEnd(std::string_view line) {
    auto is = [](char c, char upper) { return (c & ~0x20) == upper; };
    // Every "EOF" has its O between two characters, and a measurement line
    // has no O at all: the line is passed eight characters at a time, their
    // case folded, up to the first word that holds an O.
    if (line.size() < 3) return false;
    constexpr std::uint64_t kLowerCase = 0x2020202020202020;
    const char* const last = line.data() + line.size() - 1;
    const char* at = line.data() + 1;
    while (last - at >= 8 && !WordHoldsByte(WordAt(at) | kLowerCase, 'o')) at += 8;
    for (; at < last; ++at)
        if (is(*at, 'O') && is(at[-1], 'E') && is(at[1], 'F')) return true;
    return false;
}

void Command16_Click(Context& ctx) {
    ProgramState& s = ctx.state;
    if (ctx.main.Command16.Caption() == "Open Raw File") return OpenRawFile(ctx);
    if (s.PlaybackState == PlaybackMode::Idle) {
        ClosedButtons(ctx);
        s.PlaybackFile.reset();
    } else if (s.PlaybackState == PlaybackMode::Playing) {
        ctx.platform.dialogs.MessageBox("Please press play before closing raw data file", "");
    }
}

void Command17_Click(Context& ctx) {
    CommandButton& play = ctx.main.Command17;
    const bool start = play.Caption() == "Play";
    // A file played to its end is closed; there is nothing to play until one is opened.
    if (start && !ctx.state.PlaybackFile) {
        play.SetEnabled(false);
        return;
    }
    play.SetCaption(start ? "Stop Playing" : "Play");
    play.SetBackColour(start ? kLightRed : kLightGreen);
    ctx.state.PlaybackState = start ? PlaybackMode::Playing : PlaybackMode::Idle;
}

void CWNumEdit1_ValueChanged(Context& ctx) {
    ctx.state.PlaybackDelay = static_cast<float>(ctx.main.CWNumEdit1.Value());
}

}  // namespace zan
