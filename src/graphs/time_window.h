#pragma once
#include <string>

namespace zan {

struct Context;

// Keeps the time graph's window over the newest point t: the axis is placed
// on [t, end] at the first point and again whenever t falls outside the
// window shown, and Label23 then says how much one division spans.
void FollowTimePoint(Context& ctx, double t, double end, const std::string& divisionCaption);
// The raw-count view shows the window's left edge in Label23.
void ShowTimeWindowStart(Context& ctx);

// The time graph's window controls.
void HScroll2_Change(Context& ctx);
void CWNumEdit2_ValueChanged(Context& ctx);

}  // namespace zan
