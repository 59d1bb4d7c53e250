#pragma once
#include <string>
#include <string_view>

namespace zan {

struct Context;
struct ProgramState;

// The played raw file is the acquisition loop's source beside the serial
// port: while it plays, each tick walks one of its lines instead of what the
// port delivered.
bool IsPlayingBack(const ProgramState& s);
// This tick's text from the played file: its next line with CR LF. At the
// file's "EOF" line (still walked as a packet) or at its end playback ends:
// the file closes, Label29 says ":EOF", Play returns to idle and is disabled
// with nothing left to play, and a TRIA's raw file button returns to "Open
// Raw File". A single-line read (a TRIA's first line) then waits for Play.
std::string ReadPlaybackText(Context& ctx);
// After a failure in a tick: Play returns to idle; the file stays open.
void StopPlayback(Context& ctx);
// Whether a played-back line ends playback: it holds "EOF" in any letter case.
bool IsPlaybackEnd(std::string_view line);

// "Open Raw File"/"Close Raw File" and "Play"/"Stop Playing".
void Command16_Click(Context& ctx);
void Command17_Click(Context& ctx);
// The playback pace: the wait before each tick's read, in tenths of a second.
void CWNumEdit1_ValueChanged(Context& ctx);

}  // namespace zan
