#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "acquisition/acquisition_loop.h"
#include "core/colour.h"
#include "core/test_support.h"
#include "link/port_operations.h"
#include "sim/simulated_sensor.h"
#include "state/view_codes.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

constexpr double kMinuteDays = 0.00069444444;
constexpr double kDflUnitDays = 1.54319 / 100000;
using test::kVsfLine;
using Values = std::vector<double>;
using Range = std::pair<double, double>;
using test::Lines;

class Graphs : public test::Loaded {
  protected:
    void Stream(sim::SensorModel model) {
        program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(model));
        OpenPort(program.ctx, 1);
    }
    // The instrument and view chosen, and graphing switched on if asked.
    void Show(MenuItem& instrument, MenuItem& view, bool graphing = true) {
        instrument.Click();
        view.Click();
        if (graphing) m.Command1.Click();
    }
    const Graph::Plot& AnglePlot(int plot) { return m.CWGraph1.Plots()[plot - 1U]; }
    void SetRange(int axis, Range range) {
        for (Graph* g : {&m.CWGraph1, &m.CWGraph2}) {
            g->SetAxisMinimum(axis, range.first);
            g->SetAxisMaximum(axis, range.second);
        }
    }
    // Both graphs' range of an axis must agree; returns it.
    Range BothRange(int axis) {
        const Graph::Axis& a = m.CWGraph1.GetAxis(axis);
        const Graph::Axis& b = m.CWGraph2.GetAxis(axis);
        EXPECT_EQ(a.minimum, b.minimum);
        EXPECT_EQ(a.maximum, b.maximum);
        return {a.minimum, a.maximum};
    }
    // A graph's ranges of its time or angle axis and of its value axis.
    std::vector<Range> Ranges(const Graph& g) {
        return {{g.GetAxis(1).minimum, g.GetAxis(1).maximum},
                {g.GetAxis(2).minimum, g.GetAxis(2).maximum}};
    }
    // The view items that carry a check mark, by name.
    Lines Checked() {
        Lines names;
        for (MenuItem* item :
             {&m.mang, &m.tang, &m.rang, &m.df2, &m.df3, &m.triabvsa, &m.triarcvsa})
            if (item->Checked()) names.push_back(item->Name());
        return names;
    }
    // How many of the scale factor's label and box are shown.
    int ScaleFactorShown() { return m.Label59.Visible() + m.CWNumEdit2.Visible(); }
    void ExpectGraphing(bool on) {
        EXPECT_EQ(m.Command1.Caption(), on ? "Stop Graphing" : "Start Graphing");
        EXPECT_EQ(m.Command1.BackColour(), on ? kLightRed : kLightGreen);
        EXPECT_EQ(s.GraphingOn, on ? 1 : 0);
    }
};

TEST_F(Graphs, VsfRawCountsAreDrawnByTheFifthPlotOnAxesThatFollowTheDataOnceGraphingIsOn) {
    Show(m.inst2, m.rang, false);
    Stream(sim::SensorModel::Vsf);
    program.pump.RunFor(2.5);
    EXPECT_NE(s.PlotY[0], 0);
    for (const auto& plot : m.CWGraph1.Plots()) EXPECT_TRUE(plot.x.empty()) << plot.name;
    m.Command1.Click();
    program.pump.RunFor(1);
    const Graph::Plot& plot = AnglePlot(5);
    EXPECT_EQ(plot.x, (Values{100, 125, 150, 180}));
    EXPECT_EQ(plot.y, Values(s.PlotY.begin(), s.PlotY.end()));
    EXPECT_GT(plot.y[0], 1000);
    EXPECT_EQ(
        Ranges(m.CWGraph1),
        (std::vector<Range>{{100, 180}, {0, *std::max_element(plot.y.begin(), plot.y.end())}}));
    EXPECT_TRUE(m.CWGraph2.Plots()[0].x.empty());
}

TEST_F(Graphs, TriaColoursAreDrawnByTheirOwnPlotsAndLeaveNoStaleVsfLine) {
    Show(m.inst2, m.rang);
    Feed(kVsfLine);
    Show(m.inst6, m.triarcvsa, false);
    Stream(sim::SensorModel::Tria);
    program.pump.RunFor(3.5);
    for (int plot : {2, 5}) EXPECT_TRUE(AnglePlot(plot).x.empty()) << plot;
    const std::pair<int, const std::array<float, 4>&> colours[] = {
        {1, s.TriaRedValues}, {3, s.TriaBlueValues}, {4, s.TriaGreenValues}};
    for (const auto& [plot, values] : colours) {
        EXPECT_EQ(AnglePlot(plot).x, (Values{100, 125, 150, 180})) << plot;
        EXPECT_EQ(AnglePlot(plot).y, Values(values.begin(), values.end())) << plot;
        EXPECT_GT(AnglePlot(plot).y[0], 1000) << plot;
    }
    // The simulated blue sensor reads highest at 100 degrees.
    EXPECT_EQ(m.CWGraph1.GetAxis(2).maximum, AnglePlot(3).y[0]);
    // A head that loses its green sensor no longer shows a green line.
    Feed("TRIA-0042 BxR PNN\t12:00:00\t1\t2\t3\t4\t5\t6\t7\t8\t12\t10\r\n");
    EXPECT_TRUE(AnglePlot(4).x.empty());
    EXPECT_EQ(AnglePlot(3).y, (Values{1, 2, 3, 0}));
    // Back on the VSF the colour lines go.
    Show(m.inst2, m.rang, false);
    Feed(kVsfLine);
    for (int plot : {1, 3, 4}) EXPECT_TRUE(AnglePlot(plot).x.empty()) << plot;
}

TEST_F(Graphs, TheTimeGraphDrawsTheFilledHistoryFromTheOldestPointGatheredEvenWhileOff) {
    Show(m.inst4, m.df3, false);
    FeedNumbered(1, 10002);
    m.Command1.Click();
    FeedNumbered(10003, 10003);
    const auto& x = m.CWGraph2.Plots()[0].x;
    // Slots 1..10000, then 0, 1, 2 again; slot 10001 was never filled.
    ASSERT_EQ(x.size(), 10001u);
    EXPECT_DOUBLE_EQ(x.front(), 3 * kDflUnitDays);
    EXPECT_DOUBLE_EQ(x.back(), 10003 * kDflUnitDays);
    EXPECT_TRUE(std::is_sorted(x.begin(), x.end()));
    EXPECT_EQ(std::count(x.begin(), x.end(), 0.0), 0);
    EXPECT_TRUE(AnglePlot(5).x.empty());
}

TEST_F(Graphs, TheTimeWindowMovesByWholeWidthsOverMinutesOfASimulatedFluorometer) {
    m.CWNumEdit2.SetValue(2);
    Show(m.inst4, m.df3);
    Stream(sim::SensorModel::Dfl);
    const Graph& g = m.CWGraph2;
    std::set<double> windowStarts;
    for (int second = 0; second < 7 * 60; ++second) {
        program.pump.RunFor(1);
        if (s.TimeAxisStarted == 0) continue;
        const Graph::Axis& x = g.GetAxis(1);
        ASSERT_GE(s.PlotX[0], x.minimum) << second;
        ASSERT_LE(s.PlotX[0], x.maximum) << second;
        ASSERT_NEAR(x.maximum - x.minimum, 2 * kMinuteDays, 1e-12) << second;
        windowStarts.insert(x.minimum);
    }
    // Seven minutes of two-minute windows: the first and three jumps.
    EXPECT_EQ(windowStarts.size(), 4u);
    const auto& plot = g.Plots()[0];
    EXPECT_GE(plot.x.size(), 300u);
    for (double start : windowStarts)
        EXPECT_NE(std::find(plot.x.begin(), plot.x.end(), start), plot.x.end());
}

TEST_F(Graphs, TheTimeGridIsDividedAsLabelledAndTheSliderWidensTheWindowUntilMovedBack) {
    // The scale factor stays positive.
    for (const auto& [value, kept] : {std::pair{0.0, 1.0}, {-3.0, 1.0}, {2.0, 2.0}}) {
        m.CWNumEdit2.SetValue(value);
        EXPECT_EQ(m.CWNumEdit2.Value(), kept) << value;
    }
    Show(m.inst4, m.df3);
    const Graph& g = m.CWGraph2;
    const auto width = [&g] { return g.GetAxis(1).maximum - g.GetAxis(1).minimum; };
    constexpr double second = 1.157407e-05;
    // Before any point the slider has no window to widen back to.
    m.HScroll2.SetValue(0);
    EXPECT_EQ(m.WindowWidth.Caption(), "0 s: as wide as the scale factor sets");
    FeedNumbered(1000, 1000);
    EXPECT_EQ(m.Label23.Caption(), "42 seconds per div");
    EXPECT_NEAR(g.GetAxis(1).division, 42 * second, 1e-9);
    EXPECT_NEAR(width(), 2 * kMinuteDays, 1e-9);
    m.HScroll2.SetValue(600);
    EXPECT_NEAR(width(), 600 * second, 1e-9);
    EXPECT_EQ(m.WindowWidth.Caption(), "10 min 0 s from the left edge");
    // A point past the window starts the next one as wide as the slider says.
    const int past = 1000 + static_cast<int>(700 * second / kDflUnitDays);
    FeedNumbered(past, past);
    EXPECT_NEAR(width(), 600 * second, 1e-9);
    EXPECT_NEAR(g.GetAxis(1).division, 42 * second, 1e-9);
    m.HScroll2.SetValue(30);
    EXPECT_NEAR(width(), 2 * kMinuteDays, 1e-9);
    EXPECT_EQ(m.WindowWidth.Caption(), "30 s: as wide as the scale factor sets");
    m.HScroll2.SetValue(0);
    EXPECT_NEAR(width(), 2 * kMinuteDays, 1e-9);
}

TEST_F(Graphs, EveryViewTitlesItsAxesWithUnitsAndAFailedBetaViewLeavesNothingOnItsGraph) {
    const auto titles = [](const Graph& g) {
        return Lines{g.Caption(), g.GetAxis(1).title, g.GetAxis(2).title};
    };
    EXPECT_EQ(titles(m.CWGraph1), (Lines{"", "Scattering angle (degrees)", "Raw counts"}));
    EXPECT_EQ(titles(m.CWGraph2), (Lines{"", "Time of day (hh:mm:ss)", "Raw counts"}));
    Show(m.inst2, m.rang);
    Feed(kVsfLine);
    EXPECT_FALSE(AnglePlot(5).y.empty());
    // Raw counts do not stay under the title of another quantity.
    m.mang.Click();
    EXPECT_TRUE(AnglePlot(5).y.empty());
    EXPECT_EQ(titles(m.CWGraph1),
              (Lines{"Beta of Theta Vs Angle", "Scattering angle (degrees)",
                     "2\u03c0 sin \u03b8 \u00d7 \u03b2(\u03b8)  (m\u207b\u00b9 rad\u207b\u00b9)"}));
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 2; ++col) m.MSFlexGrid2.SetCell(row, col, "1");
    Feed(kVsfLine);
    // Drawn in degrees, as the counts view is; the state keeps radians.
    ASSERT_EQ(AnglePlot(5).x.size(), 4u);
    EXPECT_NEAR(AnglePlot(5).x.front(), 100, 1e-9);
    EXPECT_NEAR(AnglePlot(5).x.back(), 180, 1e-9);
    // A coefficient gone: the packet fails (graphing stops, as the decoding tests check) and the
    // graph is left empty.
    m.MSFlexGrid2.SetCell(2, 2, "");
    Feed(kVsfLine);
    for (const auto& plot : m.CWGraph1.Plots()) EXPECT_TRUE(plot.y.empty()) << plot.name;
    m.inst6.Click();
    m.MSFlexGrid2.SetCell(1, 1, "1");
    m.triabvsa.Click();
    EXPECT_EQ(titles(m.CWGraph1)[2], "\u03b2(\u03b8)  (m\u207b\u00b9 sr\u207b\u00b9)");
    Show(m.inst4, m.df2, false);
    EXPECT_EQ(titles(m.CWGraph2),
              (Lines{"ug/L vs Time", "Time of day (hh:mm:ss)", "Chlorophyll (\u00b5g/L)"}));
}

TEST_F(Graphs, ZoomAndTheMinMaxPanelSetTheRangesOfBothGraphsAndThePanelReturnsToTheButtons) {
    struct Case {
        CommandButton& button;
        int axis;
        Range from, to;
    };
    // In shrinks to three quarters, Out widens by half; negative values zoom out too.
    const Case cases[] = {
        {m.Command6, 1, {0, 100}, {0, 75}},       {m.Command6, 1, {20, 100}, {20, 80}},
        {m.Command7, 2, {20, 100}, {20, 80}},     {m.Command9, 1, {0, 100}, {0, 150}},
        {m.Command9, 1, {-100, -20}, {-100, 20}}, {m.Command8, 2, {20, 100}, {20, 140}},
        {m.Command8, 2, {-100, -20}, {-100, 20}}};
    for (const Case& c : cases) {
        SetRange(c.axis, c.from);
        c.button.Click();
        EXPECT_EQ(BothRange(c.axis), c.to) << c.button.Name() << " from " << c.from.first;
    }
    // The Min/Max panel takes the place of the zoom buttons while it is open.
    const auto panelShown = [this] { return m.Frame6.Visible() && !m.Frame4.Visible(); };
    m.Command14.Click();
    EXPECT_TRUE(panelShown());
    m.Text13.SetText("180");
    m.Text14.SetText("90");
    m.Command32.Click();
    EXPECT_EQ(BothRange(1), (Range{90, 180}));
    EXPECT_TRUE(!m.Frame6.Visible() && m.Frame4.Visible());

    m.Command14.Click();
    m.Command15.Click();
    EXPECT_EQ(BothRange(2), (Range{0, 5000}));
    EXPECT_FALSE(panelShown());
    // A box that holds no number sets that limit to zero.
    m.Text18.SetText("lots");
    m.Text19.SetText("-5 counts");
    m.Command15.Click();
    EXPECT_EQ(BothRange(2), (Range{-5, 0}));
}

TEST_F(Graphs, ARangeTheOperatorSetsHoldsAgainstNewDataUntilAutoscale) {
    Show(m.inst2, m.rang);
    m.Command15.Click();
    Feed(kVsfLine);
    EXPECT_EQ(BothRange(2), (Range{0, 5000}));
    m.Command6.Click();
    Feed(kVsfLine);
    EXPECT_EQ(m.CWGraph1.GetAxis(1).maximum, 100 + 80 * 0.75);
    // The value axis fits the points the zoomed angle range still shows (not 180 degrees).
    m.Command11.Click();
    EXPECT_EQ(Ranges(m.CWGraph1)[1], (Range{960, 1850}));
    m.Command10.Click();
    Feed("12/06/26\t12:00:01\t1900\t1210\t960\t4010\r\n");
    EXPECT_EQ(Ranges(m.CWGraph1), (std::vector<Range>{{100, 180}, {0, 1900}}));
}

TEST_F(Graphs, TimeAutoscaleFitsTheWholeHistoryUntilTheOperatorFixesTheRange) {
    Show(m.inst4, m.df3);
    for (int k = 1000; k <= 1200; k += 10) FeedNumbered(k, k);
    m.Command10.Click();
    const Graph::Axis& x = m.CWGraph2.GetAxis(1);
    EXPECT_EQ(Ranges(m.CWGraph2)[0], (Range{1000 * kDflUnitDays, 1200 * kDflUnitDays}));
    FeedNumbered(1300, 1300);
    EXPECT_DOUBLE_EQ(x.maximum, 1300 * kDflUnitDays);
    // Fixed again, the window moves on by its own width when a point leaves it.
    m.Command9.Click();
    FeedNumbered(2000, 2000);
    EXPECT_EQ(Ranges(m.CWGraph2)[0],
              (Range{2000 * kDflUnitDays, 2000 * kDflUnitDays + kMinuteDays}));
}

TEST_F(Graphs, ClearGraphEmptiesBothGraphsAndTheHistoryButKeepsIndexWindowAndRanges) {
    Show(m.inst2, m.rang);
    Feed(kVsfLine);
    Show(m.inst4, m.df3, false);
    FeedNumbered(1000, 1004);
    const auto ranges = [this] { return std::vector{Ranges(m.CWGraph1), Ranges(m.CWGraph2)}; };
    const auto before = ranges();

    m.Command25.Click();
    for (const Graph* g : {&m.CWGraph1, &m.CWGraph2})
        for (const auto& plot : g->Plots())
            EXPECT_TRUE(plot.x.empty() && plot.y.empty()) << plot.name;
    EXPECT_EQ(*std::max_element(s.TimeHistoryX.begin(), s.TimeHistoryX.end()), 0);
    EXPECT_EQ(*std::max_element(s.TimeHistoryY.begin(), s.TimeHistoryY.end()), 0);
    EXPECT_EQ(s.TimePointIndex, 5);
    EXPECT_EQ(ranges(), before);

    FeedNumbered(1005, 1005);
    EXPECT_DOUBLE_EQ(s.TimeHistoryX[6], 1005 * kDflUnitDays);
    EXPECT_EQ(m.CWGraph2.Plots()[0].x, (std::vector<double>{s.TimeHistoryX[6]}));
}

TEST_F(Graphs, EachViewSetsItsCaptionCheckMarkViewAndScaleFactorAndTriaBetaNeedsADeviceFile) {
    // Without a device file in the calibration table Tria beta leaves the view it was asked from.
    Show(m.inst6, m.triarcvsa, false);
    m.triabvsa.Click();
    EXPECT_EQ(Messages(), Lines{"Missing Dev File: Please Load Device File"});
    EXPECT_EQ(Checked(), Lines{});
    EXPECT_EQ(s.GraphView, 11);

    m.MSFlexGrid2.SetCell(1, 1, "1.2E-06");
    struct Case {
        MenuItem& item;
        Graph& graph;
        const char* caption;
        float view;
    };
    const Case cases[] = {{m.mang, m.CWGraph1, "Beta of Theta Vs Angle", 1},
                          {m.rang, m.CWGraph1, "Raw Counts Vs Angle", 5},
                          {m.triarcvsa, m.CWGraph1, "Raw Counts Vs Angle", 11},
                          {m.triabvsa, m.CWGraph1, "Beta of Theta Vs Angle", 12},
                          {m.df2, m.CWGraph2, "ug/L vs Time", 6},
                          {m.df3, m.CWGraph2, "Raw Counts Vs Time", 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.Name());
        (&c.graph == &m.CWGraph1 ? m.df2 : m.rang).Click();
        c.item.Click();
        EXPECT_EQ(c.graph.Caption(), c.caption);
        EXPECT_EQ(Checked(), Lines{c.item.Name()});
        EXPECT_EQ(s.GraphView, c.view);
        EXPECT_EQ(ScaleFactorShown(), &c.graph == &m.CWGraph2 ? 2 : 0);
    }
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

TEST_F(Graphs, StartAndStopGraphingToggleAndChoosingAViewLeavesGraphingAlone) {
    m.Command1.Click();
    EXPECT_EQ(Messages(), Lines{"Missing Parameter: Please select an instrument"});
    ExpectGraphing(false);
    m.inst2.Click();
    m.Command1.Click();
    ExpectGraphing(true);
    m.CWGraph1.PlotXY(5, {100}, {7});
    // The view shown already keeps its data; another quantity starts on an empty graph.
    m.rang.Click();
    EXPECT_EQ(m.CWGraph1.Plots()[4].y, std::vector<double>{7});
    for (MenuItem* item : {&m.mang, &m.df3, &m.triarcvsa, &m.rang}) item->Click();
    ExpectGraphing(true);
    EXPECT_TRUE(m.CWGraph1.Plots()[4].y.empty());
    m.Command1.Click();
    ExpectGraphing(false);
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
    // The button reads its caption: graphing switched on elsewhere stays on at the first press.
    s.GraphingOn = 1;
    m.Command1.Click();
    ExpectGraphing(true);
}

}  // namespace
}  // namespace zan
