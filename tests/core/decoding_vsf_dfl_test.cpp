#include <gtest/gtest.h>

#include "acquisition/acquisition_loop.h"
#include "decoding/process_packet.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

class Decoding : public ::testing::Test {
  protected:
    void SetUp() override { program.Load(); }
    void Feed(const std::string& line) { WalkReceivedText(program.ctx, line); }
    // The time count of packet k is k, so a slot's time tells which packet filled it.
    void FeedNumbered(int from, int to) {
        for (int k = from; k <= to; ++k) Feed("d\t" + std::to_string(k) + "\t5\r\n");
    }
    ProgramState& state() { return program.ctx.state; }
    MainForm& main() { return program.ctx.main; }
    FlexGrid& output() { return main().MSFlexGrid1; }
    FlexGrid& table() { return main().MSFlexGrid2; }

    VirtualProgram program;
};

const std::string kVsfLine = "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n";

TEST(BetaRounding, RoundsToSixDecimalsWithHalvesUpward) {
    EXPECT_DOUBLE_EQ(RoundBeta(0.0012345), 0.001235);
    EXPECT_DOUBLE_EQ(RoundBeta(0.00123449), 0.001234);
    EXPECT_DOUBLE_EQ(RoundBeta(0.00000049), 0);
    EXPECT_DOUBLE_EQ(RoundBeta(-0.0000012), -0.000001);
}

TEST_F(Decoding, VsfRawCountsFillTheOutputGridAndThePlotSet) {
    main().inst2.Click();
    state().GraphView = kViewVsfCounts;
    Feed(kVsfLine);
    EXPECT_EQ(output().Cell(1, 1), "1850");
    EXPECT_EQ(output().Cell(2, 1), "1210");
    EXPECT_EQ(output().Cell(3, 1), "960");
    EXPECT_EQ(state().PlotX, (std::array<double, 4>{100, 125, 150, 180}));
    EXPECT_EQ(state().PlotY, (std::array<double, 4>{1850, 1210, 960, 0}));
}

TEST_F(Decoding, VsfPacketsWithFiveOrSevenFieldsChangeNothing) {
    main().inst2.Click();
    for (float view : {kViewVsfCounts, kViewVsfBeta}) {
        state().GraphView = view;
        Feed("12/06/26\t12:00:00\t1850\t1210\t960\r\n");
        Feed("12/06/26\t12:00:00\t1850\t1210\t960\t4010\t7\r\n");
    }
    EXPECT_EQ(output().Cell(1, 1), "");
    EXPECT_EQ(state().PlotY, (std::array<double, 4>{}));
    EXPECT_EQ(state().PlotX, (std::array<double, 4>{}));
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(Decoding, VsfBetaIsCountsLessOffsetTimesScalingRoundedInTheGridWeightedInThePlot) {
    main().inst2.Click();
    state().GraphView = kViewVsfBeta;
    const char* cells[3][2] = {{"0.000001", "50"}, {" 2E-06 ", "10"}, {"-1E-07", "0"}};
    for (int i = 0; i < 3; ++i) {
        table().SetCell(i + 1, 1, cells[i][0]);
        table().SetCell(i + 1, 2, cells[i][1]);
    }
    Feed(kVsfLine);
    EXPECT_EQ(output().Cell(1, 1), "0.0018");
    EXPECT_EQ(output().Cell(2, 1), "0.0024");
    EXPECT_EQ(output().Cell(3, 1), "-9.6E-05");
    EXPECT_DOUBLE_EQ(state().PlotX[0], 1.74532925199433);
    EXPECT_DOUBLE_EQ(state().PlotX[3], 3.14159265358979);
    EXPECT_DOUBLE_EQ(state().PlotY[0], 1800 * 0.000001 * 2 * 3.14159265358979 * 0.984807753012208);
    EXPECT_DOUBLE_EQ(state().PlotY[1], 1200 * 2E-06 * 2 * 3.14159265358979 * 0.819152044288992);
    EXPECT_DOUBLE_EQ(state().PlotY[2], 960 * -1E-07 * 2 * 3.14159265358979 * 0.5);
    EXPECT_EQ(state().PlotY[3], 0);
}

TEST_F(Decoding, VsfBetaTakesATypedCoefficientFromTheNextPacket) {
    main().inst2.Click();
    state().GraphView = kViewVsfBeta;
    for (int i = 1; i <= 3; ++i) {
        table().SetCell(i, 1, "0.001");
        table().SetCell(i, 2, "0");
    }
    Feed(kVsfLine);
    EXPECT_EQ(output().Cell(1, 1), "1.85");
    table().SetCell(1, 1, "0.002");
    Feed(kVsfLine);
    EXPECT_EQ(output().Cell(1, 1), "3.7");
}

TEST_F(Decoding, EmptyCalibrationCellAbandonsThePacketAndDeselectsTheView) {
    main().inst2.Click();
    state().GraphView = kViewVsfBeta;
    state().GraphingOn = 1;
    main().Command1.SetCaption("Stop Graphing");
    main().Command1.SetBackColour(kLightRed);
    for (int i = 1; i <= 3; ++i) table().SetCell(i, 2, "0");
    table().SetCell(1, 1, "0.001");
    table().SetCell(2, 1, "0.002");
    Feed(kVsfLine);
    EXPECT_DOUBLE_EQ(state().PlotY[0], 1.85);
    EXPECT_DOUBLE_EQ(state().PlotY[1], 2.42);
    EXPECT_EQ(output().Cell(1, 1), "");
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Error");
    EXPECT_EQ(program.dialogs.Messages()[0].text, "Type mismatch");
    EXPECT_EQ(state().GraphingOn, 0);
    EXPECT_EQ(state().GraphView, 0);
    EXPECT_EQ(main().Command1.Caption(), "Start Graphing");
    EXPECT_EQ(main().Command1.BackColour(), kLightGreen);
    table().SetCell(3, 1, "0.003");
    Feed(kVsfLine);
    EXPECT_EQ(output().Cell(1, 1), "");
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

TEST_F(Decoding, NonNumericCalibrationCellFailsLikeAnEmptyOne) {
    main().inst2.Click();
    state().GraphView = kViewVsfBeta;
    for (int i = 1; i <= 3; ++i) {
        table().SetCell(i, 1, "1");
        table().SetCell(i, 2, "0");
    }
    table().SetCell(2, 2, "12abc");
    Feed(kVsfLine);
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(state().GraphView, 0);
}

TEST_F(Decoding, DflChlorophyllIsScalingTimesCountsLessCleanWaterOffset) {
    main().inst4.Click();
    state().GraphView = kViewDflChlorophyll;
    Feed("12/06/26\t1000\t620\r\n");
    EXPECT_EQ(main().Text47.Text(), "0");
    main().Text10.SetText("100");
    main().Text16.SetText("0.5 ug/l");
    Feed("12/06/26\t1000\t620\r\n");
    EXPECT_EQ(main().Text47.Text(), "260");
    EXPECT_EQ(state().PlotY[0], 260);
    EXPECT_DOUBLE_EQ(state().PlotX[0], 0.0154319);
    EXPECT_DOUBLE_EQ(state().TimeHistoryX[2], 0.0154319);
    EXPECT_EQ(state().TimeHistoryY[2], 260);
}

TEST_F(Decoding, DflRawCountsWriteTheCountsAndUseTheScaledWindow) {
    main().inst4.Click();
    state().GraphView = kViewDflCounts;
    state().GraphingOn = 1;
    main().CWNumEdit2.SetValue(2);
    Feed("12/06/26\t1000\t620\r\n");
    EXPECT_EQ(main().Text47.Text(), "620");
    const auto& axis = main().CWGraph2.GetAxis(1);
    EXPECT_DOUBLE_EQ(axis.minimum, 0.0154319);
    EXPECT_DOUBLE_EQ(axis.maximum, 0.0154319 + 0.00138888888);
    EXPECT_EQ(main().Label23.Caption(), "42 seconds per div");
    // A point inside the window leaves it; the label then shows the minimum.
    Feed("12/06/26\t1050\t620\r\n");
    EXPECT_DOUBLE_EQ(axis.minimum, 0.0154319);
    EXPECT_EQ(main().Label23.Caption(), "0.0154319");
    // A point past the window moves it to start at that point.
    Feed("12/06/26\t1100\t620\r\n");
    EXPECT_DOUBLE_EQ(axis.minimum, 1100 * 1.54319 / 100000);
    EXPECT_EQ(main().Label23.Caption(), "42 seconds per div");
}

TEST_F(Decoding, DflChlorophyllWindowIsOneMinuteWide) {
    main().inst4.Click();
    state().GraphView = kViewDflChlorophyll;
    state().GraphingOn = 1;
    Feed("12/06/26\t1000\t620\r\n");
    EXPECT_DOUBLE_EQ(main().CWGraph2.GetAxis(1).maximum, 0.0154319 + 0.00069444444);
    EXPECT_EQ(main().Label23.Caption(), "21 seconds per div");
}

TEST_F(Decoding, DflWindowCrossingMidnightEndsOnTheNextDay) {
    main().inst4.Click();
    state().GraphView = kViewDflCounts;
    state().GraphingOn = 1;
    main().CWNumEdit2.SetValue(2);
    const auto& axis = main().CWGraph2.GetAxis(1);
    Feed("12/06/26\t64800\t620\r\n");
    const double t = 64800 * 1.54319 / 100000;
    ASSERT_LT(t, 1);
    EXPECT_DOUBLE_EQ(axis.minimum, t);
    EXPECT_DOUBLE_EQ(axis.maximum, t + 0.00138888888);
    // Points after midnight, whether the count runs on or starts again, get a
    // forward window of the same width.
    for (int count : {64900, 10}) {
        Feed("12/06/26\t" + std::to_string(count) + "\t620\r\n");
        const double next = count * 1.54319 / 100000;
        EXPECT_DOUBLE_EQ(axis.minimum, next) << count;
        EXPECT_DOUBLE_EQ(axis.maximum, next + 0.00138888888) << count;
    }
}

TEST_F(Decoding, DflWithoutGraphingLeavesTheAxisAlone) {
    main().inst4.Click();
    state().GraphView = kViewDflCounts;
    const auto before = main().CWGraph2.GetAxis(1);
    Feed("12/06/26\t1000\t620\r\n");
    EXPECT_EQ(main().CWGraph2.GetAxis(1).minimum, before.minimum);
    EXPECT_EQ(main().CWGraph2.GetAxis(1).maximum, before.maximum);
    EXPECT_EQ(state().TimeAxisStarted, 0);
}

TEST_F(Decoding, DflPacketsWithOtherFieldCountsAreSkipped) {
    main().inst4.Click();
    state().GraphView = kViewDflChlorophyll;
    Feed("12/06/26\t1000\r\n");
    Feed("12/06/26\t1000\t620\t1\r\n");
    EXPECT_EQ(state().TimePointIndex, 0);
    EXPECT_EQ(main().Text47.Text(), "");
}

TEST_F(Decoding, ChlorophyllHistoryFillsSlotsOneTo9999ThenStartsAtZero) {
    main().inst4.Click();
    state().GraphView = kViewDflChlorophyll;
    FeedNumbered(1, 9999);
    EXPECT_EQ(state().TimePointIndex, 9999);
    EXPECT_DOUBLE_EQ(state().TimeHistoryX[9999], 9999 * 1.54319 / 100000);
    FeedNumbered(10000, 10001);
    EXPECT_EQ(state().TimePointIndex, 1);
    EXPECT_DOUBLE_EQ(state().TimeHistoryX[0], 10000 * 1.54319 / 100000);
    EXPECT_DOUBLE_EQ(state().TimeHistoryX[1], 10001 * 1.54319 / 100000);
    EXPECT_EQ(state().TimeHistoryX[10000], 0);
}

TEST_F(Decoding, CountsHistoryFillsSlotsOneTo10000ThenStartsAtZero) {
    main().inst4.Click();
    state().GraphView = kViewDflCounts;
    FeedNumbered(1, 10000);
    EXPECT_EQ(state().TimePointIndex, 10000);
    EXPECT_DOUBLE_EQ(state().TimeHistoryX[10000], 10000 * 1.54319 / 100000);
    FeedNumbered(10001, 10001);
    EXPECT_EQ(state().TimePointIndex, 0);
    EXPECT_DOUBLE_EQ(state().TimeHistoryX[0], 10001 * 1.54319 / 100000);
    EXPECT_EQ(state().TimeHistoryY[0], 5);
}

TEST_F(Decoding, OtherInstrumentViewPairsLeaveEveryOutputUntouched) {
    main().inst2.Click();
    state().GraphView = kViewDflChlorophyll;
    Feed(kVsfLine);
    main().inst4.Click();
    state().GraphView = kViewVsfCounts;
    Feed("12/06/26\t1000\t620\r\n");
    EXPECT_EQ(state().PlotY, (std::array<double, 4>{}));
    EXPECT_EQ(state().TimePointIndex, 0);
    EXPECT_EQ(output().Cell(1, 1), "");
}

}  // namespace
}  // namespace zan
