#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "acquisition/acquisition_loop.h"
#include "core/test_support.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

constexpr double kDflUnitDays = 1.54319 / 100000;
const std::string kVsfLine = "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n";
using Range = std::pair<double, double>;

class AxisControls : public test::Loaded {
  protected:
    void FeedCount(int count) { Feed("d\t" + std::to_string(count) + "\t5\r\n"); }
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
    Range AxisRange(const Graph& g, int axis) {
        return {g.GetAxis(axis).minimum, g.GetAxis(axis).maximum};
    }
};

TEST_F(AxisControls, InAndOutKeepTheLowerEndAndScaleTheWidthOnBothGraphs) {
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
}

TEST_F(AxisControls, MinMaxPanelAppliesTheTypedRangesToBothGraphsAndReturnsToTheButtons) {
    m.Command14.Click();
    EXPECT_TRUE(m.Frame6.Visible());
    EXPECT_FALSE(m.Frame4.Visible());
    m.Text13.SetText("180");
    m.Text14.SetText("90");
    m.Command32.Click();
    EXPECT_EQ(BothRange(1), (Range{90, 180}));
    EXPECT_FALSE(m.Frame6.Visible());
    EXPECT_TRUE(m.Frame4.Visible());

    m.Command14.Click();
    m.Command15.Click();
    EXPECT_EQ(BothRange(2), (Range{0, 5000}));
    EXPECT_TRUE(m.Frame4.Visible());
    // A box that holds no number sets that limit to zero.
    m.Text18.SetText("lots");
    m.Text19.SetText("-5 counts");
    m.Command15.Click();
    EXPECT_EQ(BothRange(2), (Range{-5, 0}));
}

TEST_F(AxisControls, ARangeTheOperatorSetsHoldsAgainstNewDataUntilAutoscale) {
    m.inst2.Click();
    m.rang.Click();
    m.Command1.Click();
    m.Command15.Click();
    Feed(kVsfLine);
    EXPECT_EQ(BothRange(2), (Range{0, 5000}));
    m.Command6.Click();
    Feed(kVsfLine);
    EXPECT_EQ(m.CWGraph1.GetAxis(1).maximum, 100 + 80 * 0.75);
    // The value axis fits the points the zoomed angle range still shows (not 180 degrees).
    m.Command11.Click();
    EXPECT_EQ(AxisRange(m.CWGraph1, 2), (Range{960, 1850}));
    m.Command10.Click();
    Feed("12/06/26\t12:00:01\t1900\t1210\t960\t4010\r\n");
    EXPECT_EQ(AxisRange(m.CWGraph1, 1), (Range{100, 180}));
    EXPECT_EQ(AxisRange(m.CWGraph1, 2), (Range{0, 1900}));
}

TEST_F(AxisControls, TimeAutoscaleFitsTheWholeHistoryUntilTheOperatorFixesTheRange) {
    m.inst4.Click();
    m.df3.Click();
    m.Command1.Click();
    for (int k = 1000; k <= 1200; k += 10) FeedCount(k);
    m.Command10.Click();
    const Graph::Axis& x = m.CWGraph2.GetAxis(1);
    EXPECT_DOUBLE_EQ(x.minimum, 1000 * kDflUnitDays);
    EXPECT_DOUBLE_EQ(x.maximum, 1200 * kDflUnitDays);
    FeedCount(1300);
    EXPECT_DOUBLE_EQ(x.maximum, 1300 * kDflUnitDays);
    // Fixed again, the window moves on by its own width when a point leaves it.
    m.Command9.Click();
    FeedCount(2000);
    EXPECT_DOUBLE_EQ(x.minimum, 2000 * kDflUnitDays);
    EXPECT_DOUBLE_EQ(x.maximum, 2000 * kDflUnitDays + 0.00069444444);
}

TEST_F(AxisControls, ClearGraphEmptiesBothGraphsAndTheHistoryButKeepsIndexWindowAndRanges) {
    m.inst2.Click();
    m.rang.Click();
    m.Command1.Click();
    Feed(kVsfLine);
    m.inst4.Click();
    m.df3.Click();
    for (int k = 1000; k < 1005; ++k) FeedCount(k);
    const Range ranges[] = {AxisRange(m.CWGraph1, 1), AxisRange(m.CWGraph2, 1),
                            AxisRange(m.CWGraph1, 2), AxisRange(m.CWGraph2, 2)};

    m.Command25.Click();
    for (const Graph* g : {&m.CWGraph1, &m.CWGraph2})
        for (const auto& plot : g->Plots())
            EXPECT_TRUE(plot.x.empty() && plot.y.empty()) << plot.name;
    EXPECT_EQ(*std::max_element(s.TimeHistoryX.begin(), s.TimeHistoryX.end()), 0);
    EXPECT_EQ(*std::max_element(s.TimeHistoryY.begin(), s.TimeHistoryY.end()), 0);
    EXPECT_EQ(s.TimePointIndex, 5);
    const Range after[] = {AxisRange(m.CWGraph1, 1), AxisRange(m.CWGraph2, 1),
                           AxisRange(m.CWGraph1, 2), AxisRange(m.CWGraph2, 2)};
    EXPECT_TRUE(std::equal(std::begin(ranges), std::end(ranges), std::begin(after)));

    FeedCount(1005);
    EXPECT_DOUBLE_EQ(s.TimeHistoryX[6], 1005 * kDflUnitDays);
    EXPECT_EQ(m.CWGraph2.Plots()[0].x, (std::vector<double>{s.TimeHistoryX[6]}));
}

}  // namespace
}  // namespace zan
