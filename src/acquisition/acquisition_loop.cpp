#include "acquisition/acquisition_loop.h"

#include <algorithm>
#include <optional>
#include <string>

#include "acquisition/packet_walk.h"
#include "context/context.h"
#include "link/port_operations.h"
#include "link/port_watch.h"
#include "recording/playback.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr int kListScrollThreshold = 11;
constexpr size_t kTriaEntryLimit = 58;

// The row's separator count is set; the packet is handed on and the ring moves on.
void CompletePacket(Context& ctx, ReceiveEcho echo) {
    ProgramState& s = ctx.state;
    MainForm& m = ctx.main;
    HandOnPacket(ctx);
    // The consumers may have run events; read the row afresh.
    const int done = static_cast<int>(s.PacketRow);
    if (echo == ReceiveEcho::On) {
        m.Label44.SetCaption(std::to_string(static_cast<int>(s.PacketColumnCount[done])));
        m.Label43.SetCaption(
            std::to_string(static_cast<long long>(s.PacketRow) + kRingRows * s.PacketWraps));
    }
    if (NextPacketRow(s)) {
        m.List1.Clear();
        m.List2.Clear();
    }
}

void Echo(ListBox& list, int& line, char c, bool limitEntries) {
    line = std::min(line, list.Count());
    if (limitEntries && list.Entry(line).size() >= kTriaEntryLimit) ++line;
    line = std::min(line, list.Count());
    list.AppendToEntry(line, c);
    if (list.Count() >= kListScrollThreshold) list.SetListIndex(list.Count() - 1);
}

// The line being assembled when the port closed or opened is cut: it is
// dropped, so it is never decoded, counted, recorded or logged, and its
// entry in the receive lists ends where it was cut. The first line after a
// reconnect therefore starts a packet and an entry of its own.
void EndCutLine(Context& ctx) {
    ProgramState& s = ctx.state;
    MainForm& m = ctx.main;
    DiscardPartLine(s);
    if (s.ReceiveLine < m.List1.Count()) s.ReceiveLine += 1;
    if (s.InstrumentType == kTria && s.TriaReceiveLine < m.List2.Count()) s.TriaReceiveLine += 1;
}

// The text of this tick from whichever source is on: the port, read (and
// during playback discarded) on every tick, or the played file.
std::string ReadSource(Context& ctx) {
    std::string text;
    if (IsPortOpen(ctx)) {
        ctx.portInputLen = 0;
        if (IsPortOpen(ctx)) text = ReadAvailable(ctx);
    }
    return IsPlayingBack(ctx.state) ? ReadPlaybackText(ctx) : text;
}

}  // namespace

void WalkReceivedText(Context& ctx, std::string_view text, ReceiveEcho echo) {
    if (echo == ReceiveEcho::Off)
        return WalkPackets(ctx.state, text, [&ctx] { CompletePacket(ctx, ReceiveEcho::Off); });
    ProgramState& s = ctx.state;
    MainForm& m = ctx.main;
    for (const char c : text) {
        const bool lineEnd = c == '\n';
        const bool stored = c != '\r' && !lineEnd && s.ReceivedLineLength < kLongestLine;
        if (stored) {
            ++s.ReceivedLineLength;
            s.PacketTable[static_cast<int>(s.PacketRow)][s.PacketColumn] += c;
        }
        if (lineEnd) {
            s.PacketColumnCount[static_cast<size_t>(s.PacketRow)] =
                static_cast<float>(s.PacketColumn);
            CompletePacket(ctx, echo);
            s.ReceivedLineLength = 0;
        }
        if (c == '\t' || c == '\r') NextPacketColumn(s);
        const bool tria = s.InstrumentType == kTria;
        if (stored) {
            Echo(m.List1, s.ReceiveLine, c, false);
            if (tria) Echo(m.List2, s.TriaReceiveLine, c, true);
        }
        if (lineEnd) {
            s.ReceiveLine += 1;
            if (tria) s.TriaReceiveLine += 1;
        }
    }
}

void PollInstrument(Context& ctx) {
    ProgramState& s = ctx.state;
    // The pace is a playback's: a wait while the port feeds the loop would hold
    // every reply (and every click, which then runs inside this tick).
    if (s.PlaybackDelay > 0 && IsPlayingBack(s)) Delay(ctx, s.PlaybackDelay / 10.0);
    const std::string text = ReadSource(ctx);
    if (ctx.walkedPortChanges != ctx.portChanges) {
        EndCutLine(ctx);
        ctx.walkedPortChanges = ctx.portChanges;
    }
    WalkReceivedText(ctx, text);
}

bool Timer1WouldIdle(Context& ctx) {
    if (IsPlayingBack(ctx.state)) return false;
    // A lost port is tried again on the ticks.
    if (ctx.lostPort != 0) return false;
    return !IsPortOpen(ctx) || !ctx.platform.port.MayHaveInput();
}

void Timer1_Timer(Context& ctx) {
    if (ctx.pollRunning) return;
    ReopenLostPort(ctx);
    ctx.pollRunning = true;
    std::optional<std::string> lost, failure;
    try {
        PollInstrument(ctx);
    } catch (const PortLostError& e) {
        lost = e.what();
    } catch (const std::exception& e) {
        failure = e.what();
    }
    // The box opens after the tick has ended, so the ticks that run while it
    // is shown keep reading (and can reopen a replugged port).
    ctx.pollRunning = false;
    if (!lost && !failure) return;
    StopPlayback(ctx);
    if (lost)
        PortLost(ctx, *lost);
    else
        ShowError(ctx, *failure);
}

}  // namespace zan
