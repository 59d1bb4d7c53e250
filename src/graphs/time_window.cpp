#include "graphs/time_window.h"

#include "context/context.h"
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
        graph.SetAxisMaximum(1, end);
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

// Widens the time window to the slider's seconds from its left edge, unless
// that would leave the newest point outside it.
void HScroll2_Change(Context& ctx) {
    Graph& graph = ctx.main.CWGraph2;
    const double end = graph.GetAxis(1).minimum + ctx.main.HScroll2.Value() * kSecondDays;
    if (end > ctx.state.PlotX[0]) {
        graph.SetAxisAutoscale(1, false);
        graph.SetAxisMaximum(1, end);
    }
}

// The scale factor is the window width in minutes; a width of zero or less
// would give an empty or reversed time axis, so it returns to one minute.
void CWNumEdit2_ValueChanged(Context& ctx) {
    NumEdit& scale = ctx.main.CWNumEdit2;
    if (!(scale.Value() > 0)) scale.SetValue(kDefaultScaleFactor);
}

}  // namespace zan
