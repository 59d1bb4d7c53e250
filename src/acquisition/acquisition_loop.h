#pragma once
#include <string_view>

namespace zan {

struct Context;

// One tick of Timer1: runs PollInstrument once, unless a tick is already
// running (then this one is dropped), and handles its failures.
void Timer1_Timer(Context& ctx);
// True while a tick of Timer1 would do nothing: no playback, and a closed
// port or one that can tell nothing is waiting.
bool Timer1WouldIdle(Context& ctx);
// Reads what the port holds, or during playback one line of the played file,
// and builds packets from it.
void PollInstrument(Context& ctx);
// Walks received text character by character into the packet table and the
// receive lists, completing packets at each line feed. A replay, which has no
// window, leaves the lists and the packet count captions (Label43, Label44) out.
enum class ReceiveEcho { On, Off };
void WalkReceivedText(Context& ctx, std::string_view text, ReceiveEcho echo = ReceiveEcho::On);

}  // namespace zan
