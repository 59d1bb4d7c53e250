#pragma once

namespace zan {

struct Context;
struct TimePoint;

// A fluorometer point into the time history, the window following it while
// graphing is on. The chlorophyll window is one minute wide; the raw-count
// window is as many minutes as the scale factor says.
void AddTimePoint(Context& ctx, const TimePoint& point);

// The time graph's window controls.
void HScroll2_Change(Context& ctx);
void CWNumEdit2_ValueChanged(Context& ctx);

}  // namespace zan
