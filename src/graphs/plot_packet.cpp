#include "graphs/plot_packet.h"

#include <array>
#include <exception>

#include "context/context.h"
#include "graphs/graph_views.h"
#include "graphs/time_window.h"
#include "record/decoded_record.h"
#include "state/instruments.h"
#include "state/view_codes.h"

namespace zan {
namespace {

// CWGraph1 plots: the TRIA colours and the VSF plot set.
constexpr int kRedPlot = 1;
constexpr int kBluePlot = 3;
constexpr int kGreenPlot = 4;
constexpr int kVsfPlot = 5;
constexpr int kTimePlot = 1;
constexpr double kDegreesPerRadian = 180 / 3.14159265358979;

template <typename Values>
std::vector<double> AsDoubles(const Values& values) {
    return std::vector<double>(values.begin(), values.end());
}

// A plot of another instrument or of a sensor no longer in the head would
// show stale data beside the current one.
void EmptyPlot(Graph& graph, int plot) {
    const Graph::Plot& p = graph.Plots()[static_cast<size_t>(plot - 1)];
    if (!p.x.empty() || !p.y.empty()) graph.PlotXY(plot, {}, {});
}

void PlotVsf(Context& ctx) {
    Graph& graph = ctx.main.CWGraph1;
    for (int plot : {kRedPlot, kBluePlot, kGreenPlot}) EmptyPlot(graph, plot);
    std::vector<double> angles = AsDoubles(ctx.state.PlotX);
    // The beta view holds its angles in radians; the graph shows degrees, as
    // the counts views and the head's graph do.
    if (ctx.state.GraphView == kViewVsfBeta)
        for (double& angle : angles) angle *= kDegreesPerRadian;
    graph.PlotXY(kVsfPlot, std::move(angles), AsDoubles(ctx.state.PlotY));
}

void PlotTria(Context& ctx) {
    ProgramState& s = ctx.state;
    Graph& graph = ctx.main.CWGraph1;
    EmptyPlot(graph, kVsfPlot);
    struct ColourPlot {
        float column;
        int plot;
        const std::array<float, 4>& angles;
        const std::array<float, 4>& values;
    };
    const ColourPlot colours[] = {
        {s.TriaRedColumn, kRedPlot, s.TriaRedAngles, s.TriaRedValues},
        {s.TriaBlueColumn, kBluePlot, s.TriaBlueAngles, s.TriaBlueValues},
        {s.TriaGreenColumn, kGreenPlot, s.TriaGreenAngles, s.TriaGreenValues}};
    for (const ColourPlot& c : colours) {
        if (c.column != 0)
            graph.PlotXY(c.plot, AsDoubles(c.angles), AsDoubles(c.values));
        else
            EmptyPlot(graph, c.plot);
    }
}

void PlotDfl(Context& ctx) {
    TimeHistoryPoints points = FilledTimeHistory(ctx.state);
    ctx.main.CWGraph2.PlotXY(kTimePlot, std::move(points.x), std::move(points.y));
}

}  // namespace

TimeHistoryPoints FilledTimeHistory(const ProgramState& s) {
    const size_t slots = s.TimeHistoryFilled.size();
    TimeHistoryPoints points;
    points.x.reserve(slots);
    points.y.reserve(slots);
    const size_t newest = s.TimePointIndex >= 0 && s.TimePointIndex < static_cast<double>(slots)
                              ? static_cast<size_t>(s.TimePointIndex)
                              : slots - 1;
    for (size_t k = 1; k <= slots; ++k) {
        const size_t slot = (newest + k) % slots;
        if (!s.TimeHistoryFilled[slot]) continue;
        points.x.push_back(s.TimeHistoryX[slot]);
        points.y.push_back(s.TimeHistoryY[slot]);
    }
    return points;
}

void GraphDecodedRecord(Context& ctx, const DecodedRecord& record) {
    // A view that failed stops graphing and leaves nothing on its graph.
    if (record.failure) {
        StopGraphing(ctx);
        return ClearViewGraph(ctx, record.graphView);
    }
    if (record.timePoint) AddTimePoint(ctx, *record.timePoint);
    if (record.plotted && ctx.state.GraphingOn == 1) PlotPacket(ctx);
}

void PlotPacket(Context& ctx) {
    try {
        const float type = ctx.state.InstrumentType;
        if (IsVsfFamily(type))
            PlotVsf(ctx);
        else if (IsDflFamily(type))
            PlotDfl(ctx);
        else if (type == kTria)
            PlotTria(ctx);
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
}

}  // namespace zan
