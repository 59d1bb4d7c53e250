#include "graphs/time_window.h"

#include <algorithm>

#include "context/context.h"
#include "core/duration_text.h"
#include "core/number_text.h"
#include "record/decoded_record.h"

namespace zan {
namespace {

constexpr double kSecondDays = 1.157407e-05;
constexpr double kDefaultScaleFactor = 1;
// One minute in days: the width of the chlorophyll time window and the unit
// of the scaled window of the raw-count view.
constexpr double kMinuteDays = 0.00069444444;
constexpr int kChlorophyllHistoryWrap = 10000;
constexpr int kCountsHistoryWrap = 10001;
// A window of N minutes is labelled 21 x N seconds per division: the grid's
// divisions are that wide, counted from the window's left edge.
constexpr double kDivisionShareOfWindow = 21.0 / 60;

// The width the window-width slider asks for, in days; 0 at its left end.
double SliderWidth(const MainForm& m) { return m.HScroll2.Value() * kSecondDays; }

void StoreHistoryPoint(ProgramState& s, const TimePoint& point) {
    if (!(s.TimePointIndex >= 0 && s.TimePointIndex < static_cast<double>(s.TimeHistoryX.size())))
        return;
    const auto slot = static_cast<size_t>(s.TimePointIndex);
    s.TimeHistoryX[slot] = point.t;
    s.TimeHistoryY[slot] = point.value;
    s.TimeHistoryFilled[slot] = 1;
}

// Keeps the time graph's window over the newest point t: the axis is placed
// on [t, end] at the first point and again whenever t falls outside the
// window shown, and Label23 then says how much one division spans.
void FollowTimePoint(Context& ctx, double t, double end, const std::string& divisionCaption) {
    ProgramState& s = ctx.state;
    Graph& graph = ctx.main.CWGraph2;
    const Graph::Axis shown = graph.GetAxis(1);
    if (s.TimeAxisStarted == 0 || t > shown.maximum || t < shown.minimum) {
        graph.SetAxisDivision(1, (end - t) * kDivisionShareOfWindow);
        graph.SetAxisMaximum(1, std::max(end, t + SliderWidth(ctx.main)));
        graph.SetAxisMinimum(1, t);
        ctx.main.Label23.SetCaption(divisionCaption);
        s.TimeAxisStarted = 1;
    }
}

// The raw-count view shows the window's left edge in Label23.
void ShowTimeWindowStart(Context& ctx) {
    ctx.main.Label23.SetCaption(GeneralText(ctx.main.CWGraph2.GetAxis(1).minimum));
}

}  // namespace

void AddTimePoint(Context& ctx, const TimePoint& point) {
    ProgramState& s = ctx.state;
    s.TimePointIndex += 1;
    if (s.TimePointIndex >= (point.chlorophyll ? kChlorophyllHistoryWrap : kCountsHistoryWrap))
        s.TimePointIndex = 0;
    double minutes = 1;
    if (!point.chlorophyll) {
        minutes = ctx.main.CWNumEdit2.Value();
        ShowTimeWindowStart(ctx);
    }
    // A window reaching past midnight of the day count keeps its end on the
    // next day (past 1): wrapping it back would put the end before the start.
    if (s.GraphingOn == 1)
        FollowTimePoint(ctx, point.t, point.t + kMinuteDays * minutes,
                        GeneralText(21 * minutes) + " seconds per div");
    StoreHistoryPoint(s, point);
}

// The slider sets the window's width from its left edge, in seconds; below
// the width the scale factor gives (at its left end, 0), the window is as
// wide as the scale factor sets, so moving it back undoes it. A newest point
// left outside moves the window on, as any point past its end does.
void HScroll2_Change(Context& ctx) {
    MainForm& m = ctx.main;
    Graph& graph = m.CWGraph2;
    const Graph::Axis& x = graph.GetAxis(1);
    // No division yet: no point has placed the window, and the scale gives no width.
    const double scaleWidth = x.division / kDivisionShareOfWindow;
    const double width = std::max(SliderWidth(m), scaleWidth);
    if (width > 0) {
        graph.SetAxisAutoscale(1, false);
        graph.SetAxisMaximum(1, x.minimum + width);
    }
    const int seconds = m.HScroll2.Value();
    m.WindowWidth.SetCaption(DurationText(seconds) + (SliderWidth(m) > scaleWidth
                                                          ? " from the left edge"
                                                          : kWindowFollowsScaleFactor));
}

// The scale factor is the window width in minutes; a width of zero or less
// would give an empty or reversed time axis, so it returns to one minute.
void CWNumEdit2_ValueChanged(Context& ctx) {
    NumEdit& scale = ctx.main.CWNumEdit2;
    if (!(scale.Value() > 0)) scale.SetValue(kDefaultScaleFactor);
}

}  // namespace zan
