#pragma once

namespace zan {

struct Context;

// Connects the recording, raw logging and playback controls and the two
// per-packet writers.
void WireRecording(Context& ctx);

}  // namespace zan
