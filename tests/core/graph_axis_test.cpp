#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "acquisition/acquisition_loop.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

constexpr double kDflUnitDays = 1.54319 / 100000;
const std::string kVsfLine = "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n";
using Range = std::pair<double, double>;

class AxisControls : public ::testing::Test {
  protected:
    void SetUp() override { program.Load(); }
    MainForm& main() { return program.ctx.main; }
    ProgramState& state() { return program.ctx.state; }
    void Feed(const std::string& line) { WalkReceivedText(program.ctx, line); }
    void FeedCount(int count) { Feed("d\t" + std::to_string(count) + "\t5\r\n"); }
    void SetRange(int axis, Range range) {
        for (Graph* g : {&main().CWGraph1, &main().CWGraph2}) {
            g->SetAxisMinimum(axis, range.first);
            g->SetAxisMaximum(axis, range.second);
        }
    }
    // Both graphs' range of an axis must agree; returns it.
    Range BothRange(int axis) {
        const Graph::Axis& a = main().CWGraph1.GetAxis(axis);
        const Graph::Axis& b = main().CWGraph2.GetAxis(axis);
        EXPECT_EQ(a.minimum, b.minimum);
        EXPECT_EQ(a.maximum, b.maximum);
        return {a.minimum, a.maximum};
    }
    Range AxisRange(const Graph& g, int axis) {
        return {g.GetAxis(axis).minimum, g.GetAxis(axis).maximum};
    }

    VirtualProgram program;
};

TEST_F(AxisControls, InAndOutKeepTheLowerEndAndScaleTheWidthOnBothGraphs) {
    struct Case {
        CommandButton& button;
        int axis;
        Range from, to;
    };
    // In shrinks to three quarters, Out widens by half; negative values zoom out too.
    const Case cases[] = {
        {main().Command6, 1, {0, 100}, {0, 75}},       {main().Command6, 1, {20, 100}, {20, 80}},
        {main().Command7, 2, {20, 100}, {20, 80}},     {main().Command9, 1, {0, 100}, {0, 150}},
        {main().Command9, 1, {-100, -20}, {-100, 20}}, {main().Command8, 2, {20, 100}, {20, 140}},
        {main().Command8, 2, {-100, -20}, {-100, 20}}};
    for (const Case& c : cases) {
        SetRange(c.axis, c.from);
        c.button.Click();
        EXPECT_EQ(BothRange(c.axis), c.to) << c.button.Name() << " from " << c.from.first;
    }
}

TEST_F(AxisControls, MinMaxPanelAppliesTheTypedRangesToBothGraphsAndReturnsToTheButtons) {
    main().Command14.Click();
    EXPECT_TRUE(main().Frame6.Visible());
    EXPECT_FALSE(main().Frame4.Visible());
    main().Text13.SetText("180");
    main().Text14.SetText("90");
    main().Command32.Click();
    EXPECT_EQ(BothRange(1), (Range{90, 180}));
    EXPECT_FALSE(main().Frame6.Visible());
    EXPECT_TRUE(main().Frame4.Visible());

    main().Command14.Click();
    main().Command15.Click();
    EXPECT_EQ(BothRange(2), (Range{0, 5000}));
    EXPECT_TRUE(main().Frame4.Visible());
    // A box that holds no number sets that limit to zero.
    main().Text18.SetText("lots");
    main().Text19.SetText("-5 counts");
    main().Command15.Click();
    EXPECT_EQ(BothRange(2), (Range{-5, 0}));
}

TEST_F(AxisControls, ARangeTheOperatorSetsHoldsAgainstNewDataUntilAutoscale) {
    main().inst2.Click();
    main().rang.Click();
    main().Command1.Click();
    main().Command15.Click();
    Feed(kVsfLine);
    EXPECT_EQ(BothRange(2), (Range{0, 5000}));
    main().Command6.Click();
    Feed(kVsfLine);
    EXPECT_EQ(main().CWGraph1.GetAxis(1).maximum, 100 + 80 * 0.75);
    // The value axis fits the points the zoomed angle range still shows (not 180 degrees).
    main().Command11.Click();
    EXPECT_EQ(AxisRange(main().CWGraph1, 2), (Range{960, 1850}));
    main().Command10.Click();
    Feed("12/06/26\t12:00:01\t1900\t1210\t960\t4010\r\n");
    EXPECT_EQ(AxisRange(main().CWGraph1, 1), (Range{100, 180}));
    EXPECT_EQ(AxisRange(main().CWGraph1, 2), (Range{0, 1900}));
}

TEST_F(AxisControls, TimeAutoscaleFitsTheWholeHistoryUntilTheOperatorFixesTheRange) {
    main().inst4.Click();
    main().df3.Click();
    main().Command1.Click();
    for (int k = 1000; k <= 1200; k += 10) FeedCount(k);
    main().Command10.Click();
    const Graph::Axis& x = main().CWGraph2.GetAxis(1);
    EXPECT_DOUBLE_EQ(x.minimum, 1000 * kDflUnitDays);
    EXPECT_DOUBLE_EQ(x.maximum, 1200 * kDflUnitDays);
    FeedCount(1300);
    EXPECT_DOUBLE_EQ(x.maximum, 1300 * kDflUnitDays);
    // Fixed again, the window moves on by its own width when a point leaves it.
    main().Command9.Click();
    FeedCount(2000);
    EXPECT_DOUBLE_EQ(x.minimum, 2000 * kDflUnitDays);
    EXPECT_DOUBLE_EQ(x.maximum, 2000 * kDflUnitDays + 0.00069444444);
}

TEST_F(AxisControls, ClearGraphEmptiesBothGraphsAndTheHistoryButKeepsIndexWindowAndRanges) {
    main().inst2.Click();
    main().rang.Click();
    main().Command1.Click();
    Feed(kVsfLine);
    main().inst4.Click();
    main().df3.Click();
    for (int k = 1000; k < 1005; ++k) FeedCount(k);
    const Range ranges[] = {AxisRange(main().CWGraph1, 1), AxisRange(main().CWGraph2, 1),
                            AxisRange(main().CWGraph1, 2), AxisRange(main().CWGraph2, 2)};

    main().Command25.Click();
    for (const Graph* g : {&main().CWGraph1, &main().CWGraph2})
        for (const auto& plot : g->Plots())
            EXPECT_TRUE(plot.x.empty() && plot.y.empty()) << plot.name;
    EXPECT_EQ(*std::max_element(state().TimeHistoryX.begin(), state().TimeHistoryX.end()), 0);
    EXPECT_EQ(*std::max_element(state().TimeHistoryY.begin(), state().TimeHistoryY.end()), 0);
    EXPECT_EQ(state().TimePointIndex, 5);
    const Range after[] = {AxisRange(main().CWGraph1, 1), AxisRange(main().CWGraph2, 1),
                           AxisRange(main().CWGraph1, 2), AxisRange(main().CWGraph2, 2)};
    EXPECT_TRUE(std::equal(std::begin(ranges), std::end(ranges), std::begin(after)));

    FeedCount(1005);
    EXPECT_DOUBLE_EQ(state().TimeHistoryX[6], 1005 * kDflUnitDays);
    EXPECT_EQ(main().CWGraph2.Plots()[0].x, (std::vector<double>{state().TimeHistoryX[6]}));
}

}  // namespace
}  // namespace zan
