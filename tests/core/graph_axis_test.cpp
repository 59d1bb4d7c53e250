#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "acquisition/acquisition_loop.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

constexpr double kDflUnitDays = 1.54319 / 100000;

class AxisControls : public ::testing::Test {
  protected:
    void SetUp() override { program.Load(); }
    MainForm& main() { return program.ctx.main; }
    ProgramState& state() { return program.ctx.state; }
    void Feed(const std::string& line) { WalkReceivedText(program.ctx, line); }
    void SetRange(int axis, double minimum, double maximum) {
        for (Graph* g : {&main().CWGraph1, &main().CWGraph2}) {
            g->SetAxisMinimum(axis, minimum);
            g->SetAxisMaximum(axis, maximum);
        }
    }
    // Both graphs' range of an axis must agree; returns it.
    std::pair<double, double> Range(int axis) {
        const Graph::Axis& a = main().CWGraph1.GetAxis(axis);
        const Graph::Axis& b = main().CWGraph2.GetAxis(axis);
        EXPECT_EQ(a.minimum, b.minimum);
        EXPECT_EQ(a.maximum, b.maximum);
        return {a.minimum, a.maximum};
    }
    using Range_ = std::pair<double, double>;

    VirtualProgram program;
};

TEST_F(AxisControls, InKeepsTheLowerEndAndShrinksTheRangeToThreeQuartersOnBothGraphs) {
    struct Case {
        CommandButton& button;
        int axis;
    };
    for (const Case& c : {Case{main().Command6, 1}, Case{main().Command7, 2}}) {
        SetRange(c.axis, 0, 100);
        c.button.Click();
        EXPECT_EQ(Range(c.axis), (Range_{0, 75})) << c.axis;
        SetRange(c.axis, 20, 100);
        c.button.Click();
        EXPECT_EQ(Range(c.axis), (Range_{20, 80})) << c.axis;
    }
}

TEST_F(AxisControls, OutKeepsTheLowerEndAndWidensTheRangeByHalfItsWidth) {
    struct Case {
        CommandButton& button;
        int axis;
    };
    for (const Case& c : {Case{main().Command9, 1}, Case{main().Command8, 2}}) {
        SetRange(c.axis, 0, 100);
        c.button.Click();
        EXPECT_EQ(Range(c.axis), (Range_{0, 150})) << c.axis;
        SetRange(c.axis, 20, 100);
        c.button.Click();
        EXPECT_EQ(Range(c.axis), (Range_{20, 140})) << c.axis;
        // Negative values zoom out too instead of turning the axis round.
        SetRange(c.axis, -100, -20);
        c.button.Click();
        EXPECT_EQ(Range(c.axis), (Range_{-100, 20})) << c.axis;
    }
}

TEST_F(AxisControls, MinMaxPanelAppliesTheTypedRangesToBothGraphsAndReturnsToTheButtons) {
    EXPECT_TRUE(main().Frame4.Visible());
    EXPECT_FALSE(main().Frame6.Visible());
    main().Command14.Click();
    EXPECT_TRUE(main().Frame6.Visible());
    EXPECT_FALSE(main().Frame4.Visible());
    main().Text13.SetText("180");
    main().Text14.SetText("90");
    main().Command32.Click();
    EXPECT_EQ(Range(1), (Range_{90, 180}));
    EXPECT_FALSE(main().Frame6.Visible());
    EXPECT_TRUE(main().Frame4.Visible());

    main().Command14.Click();
    main().Command15.Click();
    EXPECT_EQ(Range(2), (Range_{0, 5000}));
    EXPECT_TRUE(main().Frame4.Visible());
    main().Text13.SetText("1");
    main().Text14.SetText("0");
    main().Command32.Click();
    EXPECT_EQ(Range(1), (Range_{0, 1}));
}

TEST_F(AxisControls, ARangeBoxThatHoldsNoNumberSetsThatLimitToZero) {
    main().Text18.SetText("lots");
    main().Text19.SetText("-5 counts");
    main().Command15.Click();
    EXPECT_EQ(Range(2), (Range_{-5, 0}));
}

TEST_F(AxisControls, ARangeTheOperatorSetsHoldsAgainstNewDataUntilAutoscale) {
    main().inst2.Click();
    main().rang.Click();
    main().Command1.Click();
    main().Command15.Click();
    Feed("12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n");
    EXPECT_EQ(Range(2), (Range_{0, 5000}));
    main().Command6.Click();
    Feed("12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n");
    EXPECT_EQ(main().CWGraph1.GetAxis(1).maximum, 100 + 80 * 0.75);

    // The value axis fits the points the zoomed angle range still shows (not 180 degrees).
    main().Command11.Click();
    EXPECT_EQ(main().CWGraph1.GetAxis(2).minimum, 960);
    EXPECT_EQ(main().CWGraph1.GetAxis(2).maximum, 1850);
    main().Command10.Click();
    Feed("12/06/26\t12:00:01\t1900\t1210\t960\t4010\r\n");
    EXPECT_EQ(main().CWGraph1.GetAxis(1).minimum, 100);
    EXPECT_EQ(main().CWGraph1.GetAxis(1).maximum, 180);
    EXPECT_EQ(main().CWGraph1.GetAxis(2).minimum, 0);
    EXPECT_EQ(main().CWGraph1.GetAxis(2).maximum, 1900);
}

TEST_F(AxisControls, TimeAutoscaleFitsTheWholeHistoryUntilTheOperatorFixesTheRange) {
    main().inst4.Click();
    main().df3.Click();
    main().Command1.Click();
    for (int k = 1000; k <= 1200; k += 10) Feed("d\t" + std::to_string(k) + "\t5\r\n");
    main().Command10.Click();
    EXPECT_DOUBLE_EQ(main().CWGraph2.GetAxis(1).minimum, 1000 * kDflUnitDays);
    EXPECT_DOUBLE_EQ(main().CWGraph2.GetAxis(1).maximum, 1200 * kDflUnitDays);
    Feed("d\t1300\t5\r\n");
    EXPECT_DOUBLE_EQ(main().CWGraph2.GetAxis(1).maximum, 1300 * kDflUnitDays);
    // Fixed again, the window moves on by its own width when a point leaves it.
    main().Command9.Click();
    Feed("d\t2000\t5\r\n");
    EXPECT_DOUBLE_EQ(main().CWGraph2.GetAxis(1).minimum, 2000 * kDflUnitDays);
    EXPECT_DOUBLE_EQ(main().CWGraph2.GetAxis(1).maximum, 2000 * kDflUnitDays + 0.00069444444);
}

TEST_F(AxisControls, ClearGraphEmptiesBothGraphsAndTheHistoryButKeepsIndexWindowAndRanges) {
    main().inst2.Click();
    main().rang.Click();
    main().Command1.Click();
    Feed("12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n");
    main().inst4.Click();
    main().df3.Click();
    for (int k = 1000; k < 1005; ++k) Feed("d\t" + std::to_string(k) + "\t5\r\n");
    const Graph::Axis x1 = main().CWGraph1.GetAxis(1), x2 = main().CWGraph2.GetAxis(1);
    const Graph::Axis y1 = main().CWGraph1.GetAxis(2), y2 = main().CWGraph2.GetAxis(2);

    main().Command25.Click();
    for (const Graph* g : {&main().CWGraph1, &main().CWGraph2})
        for (const auto& plot : g->Plots())
            EXPECT_TRUE(plot.x.empty() && plot.y.empty()) << plot.name;
    EXPECT_TRUE(std::all_of(state().TimeHistoryX.begin(), state().TimeHistoryX.end(),
                            [](double v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(state().TimeHistoryY.begin(), state().TimeHistoryY.end(),
                            [](double v) { return v == 0; }));
    EXPECT_EQ(state().TimePointIndex, 5);
    EXPECT_EQ(main().CWGraph1.GetAxis(1).maximum, x1.maximum);
    EXPECT_EQ(main().CWGraph2.GetAxis(1).minimum, x2.minimum);
    EXPECT_EQ(main().CWGraph2.GetAxis(1).maximum, x2.maximum);
    EXPECT_EQ(main().CWGraph1.GetAxis(2).maximum, y1.maximum);
    EXPECT_EQ(main().CWGraph2.GetAxis(2).maximum, y2.maximum);

    Feed("d\t1005\t5\r\n");
    EXPECT_DOUBLE_EQ(state().TimeHistoryX[6], 1005 * kDflUnitDays);
    EXPECT_EQ(main().CWGraph2.Plots()[0].x, (std::vector<double>{state().TimeHistoryX[6]}));
}

}  // namespace
}  // namespace zan
