#pragma once

namespace zan {

struct Context;

// "Open Raw File"/"Close Raw File" and "Play"/"Stop Playing".
void Command16_Click(Context& ctx);
void Command17_Click(Context& ctx);
// The playback pace: the wait before each tick's read, in tenths of a second.
void CWNumEdit1_ValueChanged(Context& ctx);

}  // namespace zan
