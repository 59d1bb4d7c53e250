#pragma once

namespace zan {

struct Context;

// The time graph's window controls and the playback pace.
void HScroll2_Change(Context& ctx);
void CWNumEdit1_ValueChanged(Context& ctx);
void CWNumEdit2_ValueChanged(Context& ctx);

}  // namespace zan
