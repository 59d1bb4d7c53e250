#include "graphs/time_window.h"

#include "context/context.h"
#include "core/number_text.h"

namespace zan {
namespace {

constexpr double kSecondDays = 1.157407e-05;
constexpr double kDefaultScaleFactor = 1;

}  // namespace

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

void ShowTimeWindowStart(Context& ctx) {
    ctx.main.Label23.SetCaption(GeneralText(ctx.main.CWGraph2.GetAxis(1).minimum));
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
