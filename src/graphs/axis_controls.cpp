#include "graphs/axis_controls.h"

#include <algorithm>

#include "context/context.h"
#include "core/number_value.h"

namespace zan {
namespace {

constexpr int kXAxis = 1;
constexpr int kYAxis = 2;

template <typename Action>
void OnBothGraphs(Context& ctx, Action action) {
    action(ctx.main.CWGraph1);
    action(ctx.main.CWGraph2);
}

// A range the operator sets holds until Autoscale: the axis stops following the data.
void SetMaximum(Graph& graph, int axis, double maximum) {
    graph.SetAxisAutoscale(axis, false);
    graph.SetAxisMaximum(axis, maximum);
}

// Keeps the lower end and shrinks the range to three quarters of its width.
void ZoomIn(Context& ctx, int axis) {
    OnBothGraphs(ctx, [axis](Graph& g) {
        const Graph::Axis& a = g.GetAxis(axis);
        SetMaximum(g, axis, (a.maximum + a.minimum) / 2 + (a.maximum - a.minimum) / 4);
    });
}

// Keeps the lower end and widens the range by half its width.
void ZoomOut(Context& ctx, int axis) {
    OnBothGraphs(ctx, [axis](Graph& g) {
        const Graph::Axis& a = g.GetAxis(axis);
        SetMaximum(g, axis, a.maximum + (a.maximum - a.minimum) / 2);
    });
}

// Fits the axis to the data now and lets it follow the data from then on.
void Autoscale(Context& ctx, int axis) {
    OnBothGraphs(ctx, [axis](Graph& g) {
        g.AutoscaleOnce(axis);
        g.SetAxisAutoscale(axis, true);
    });
}

void ApplyRange(Context& ctx, int axis, const TextBox& maximum, const TextBox& minimum) {
    const double high = NumberValue(maximum.Text());
    const double low = NumberValue(minimum.Text());
    OnBothGraphs(ctx, [&](Graph& g) {
        SetMaximum(g, axis, high);
        g.SetAxisMinimum(axis, low);
    });
    ctx.main.Frame6.SetVisible(false);
    ctx.main.Frame4.SetVisible(true);
}

}  // namespace

void Command6_Click(Context& ctx) { ZoomIn(ctx, kXAxis); }
void Command9_Click(Context& ctx) { ZoomOut(ctx, kXAxis); }
void Command10_Click(Context& ctx) { Autoscale(ctx, kXAxis); }
void Command7_Click(Context& ctx) { ZoomIn(ctx, kYAxis); }
void Command8_Click(Context& ctx) { ZoomOut(ctx, kYAxis); }
void Command11_Click(Context& ctx) { Autoscale(ctx, kYAxis); }

void Command14_Click(Context& ctx) {
    ctx.main.Frame6.SetVisible(true);
    ctx.main.Frame4.SetVisible(false);
}

void Command32_Click(Context& ctx) { ApplyRange(ctx, kXAxis, ctx.main.Text13, ctx.main.Text14); }
void Command15_Click(Context& ctx) { ApplyRange(ctx, kYAxis, ctx.main.Text18, ctx.main.Text19); }

// The history is emptied in one step, so a point arriving meanwhile is never
// half wiped; the point index, the time window and the ranges stay.
void Command25_Click(Context& ctx) {
    OnBothGraphs(ctx, [](Graph& g) { g.ClearData(); });
    ProgramState& s = ctx.state;
    std::fill(s.TimeHistoryX.begin(), s.TimeHistoryX.end(), 0.0);
    std::fill(s.TimeHistoryY.begin(), s.TimeHistoryY.end(), 0.0);
    std::fill(s.TimeHistoryFilled.begin(), s.TimeHistoryFilled.end(), std::uint8_t{0});
}

}  // namespace zan
