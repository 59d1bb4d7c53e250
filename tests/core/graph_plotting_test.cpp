#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "acquisition/acquisition_loop.h"
#include "core/test_support.h"
#include "link/port_operations.h"
#include "sim/simulated_sensor.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

constexpr double kMinuteDays = 0.00069444444;
constexpr double kDflUnitDays = 1.54319 / 100000;
const std::string kVsfLine = "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n";
using Values = std::vector<double>;

class GraphPlotting : public test::Loaded {
  protected:
    void Stream(sim::SensorModel model) {
        program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(model));
        OpenPort(program.ctx, 1);
    }
    const Graph::Plot& AnglePlot(int plot) {
        return m.CWGraph1.Plots()[static_cast<size_t>(plot - 1)];
    }
};

TEST_F(GraphPlotting, VsfRawCountsAreDrawnByTheFifthPlotOnAxesThatFollowTheDataOnceGraphingIsOn) {
    m.inst2.Click();
    m.rang.Click();
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
    const Graph& g = m.CWGraph1;
    EXPECT_EQ((Values{g.GetAxis(1).minimum, g.GetAxis(1).maximum, g.GetAxis(2).minimum,
                      g.GetAxis(2).maximum}),
              (Values{100, 180, 0, *std::max_element(plot.y.begin(), plot.y.end())}));
    EXPECT_TRUE(m.CWGraph2.Plots()[0].x.empty());
}

TEST_F(GraphPlotting, TriaColoursAreDrawnByTheirOwnPlotsAndLeaveNoStaleVsfLine) {
    m.inst2.Click();
    m.rang.Click();
    m.Command1.Click();
    Feed(kVsfLine);
    m.inst6.Click();
    m.triarcvsa.Click();
    Stream(sim::SensorModel::Tria);
    program.pump.RunFor(3.5);
    EXPECT_TRUE(AnglePlot(5).x.empty());
    EXPECT_TRUE(AnglePlot(2).x.empty());
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
    m.inst2.Click();
    m.rang.Click();
    Feed(kVsfLine);
    for (int plot : {1, 3, 4}) EXPECT_TRUE(AnglePlot(plot).x.empty()) << plot;
}

TEST_F(GraphPlotting, TheTimeGraphDrawsTheFilledHistoryFromTheOldestPointGatheredEvenWhileOff) {
    m.inst4.Click();
    m.df3.Click();
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

TEST_F(GraphPlotting, TheTimeWindowMovesByWholeWidthsOverMinutesOfASimulatedFluorometer) {
    m.inst4.Click();
    m.df3.Click();
    m.CWNumEdit2.SetValue(2);
    m.Command1.Click();
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

TEST_F(GraphPlotting, TheSliderWidensTheTimeWindowOnlyWhenTheNewestPointStaysInside) {
    Graph& g = m.CWGraph2;
    g.SetAxisMinimum(1, 0.5);
    g.SetAxisMaximum(1, 0.5003);
    s.PlotX[0] = 0.5005;
    m.HScroll2.SetValue(60);
    EXPECT_DOUBLE_EQ(g.GetAxis(1).maximum, 0.5 + 60 * 1.157407e-05);
    s.PlotX[0] = 0.6;
    m.HScroll2.SetValue(30);
    EXPECT_DOUBLE_EQ(g.GetAxis(1).maximum, 0.5 + 60 * 1.157407e-05);
}

TEST_F(GraphPlotting, NumericEditsSetThePlaybackDelayAndKeepTheScaleFactorPositive) {
    m.CWNumEdit1.SetValue(5);
    EXPECT_EQ(s.PlaybackDelay, 5);
    for (const auto& [value, kept] :
         {std::pair{2.5, 2.5}, std::pair{0.0, 1.0}, std::pair{-3.0, 1.0}}) {
        m.CWNumEdit2.SetValue(value);
        EXPECT_EQ(m.CWNumEdit2.Value(), kept) << value;
    }
}

}  // namespace
}  // namespace zan
