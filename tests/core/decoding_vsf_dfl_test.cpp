#include <gtest/gtest.h>

#include "acquisition/acquisition_loop.h"
#include "core/colour.h"
#include "core/test_support.h"
#include "decoding/process_packet.h"

namespace zan {
namespace {

using test::Lines;

const std::string kVsfLine = "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n";
const std::string kDflLine = "12/06/26\t1000\t620\r\n";

class Decoding : public test::Loaded {
  protected:
    void Select(MenuItem MainForm::*instrument, float view) {
        (m.*instrument).Click();
        s.GraphView = view;
    }
    // Fills the VSF table's three rows with one scaling and one offset.
    void Calibrate(const char* scaling, const char* offset) {
        for (int i = 1; i <= 3; ++i) {
            table().SetCell(i, 1, scaling);
            table().SetCell(i, 2, offset);
        }
    }
    FlexGrid& output() { return m.MSFlexGrid1; }
    FlexGrid& table() { return m.MSFlexGrid2; }
    const Graph::Axis& TimeAxis() { return m.CWGraph2.GetAxis(1); }
};

TEST_F(Decoding, VsfRawCountsFillTheOutputGridAndThePlotSet) {
    Select(&MainForm::inst2, kViewVsfCounts);
    Feed(kVsfLine);
    EXPECT_EQ(test::Cells(output(), 1, 1, 3, 1), "1850|1210|960");
    EXPECT_EQ(s.PlotX, (std::array<double, 4>{100, 125, 150, 180}));
    EXPECT_EQ(s.PlotY, (std::array<double, 4>{1850, 1210, 960, 0}));
}

TEST_F(Decoding, VsfBetaIsCountsLessOffsetTimesScalingRoundedInTheGridWeightedInThePlot) {
    Select(&MainForm::inst2, kViewVsfBeta);
    const char* cells[3][2] = {{"0.000001", "50"}, {" 2E-06 ", "10"}, {"-1E-07", "0"}};
    for (int i = 0; i < 3; ++i) {
        table().SetCell(i + 1, 1, cells[i][0]);
        table().SetCell(i + 1, 2, cells[i][1]);
    }
    Feed(kVsfLine);
    // Rounded to six decimals with halves upward.
    EXPECT_EQ(test::Cells(output(), 1, 1, 3, 1), "0.0018|0.0024|-9.6E-05");
    EXPECT_DOUBLE_EQ(s.PlotX[0], 1.74532925199433);
    EXPECT_DOUBLE_EQ(s.PlotX[3], 3.14159265358979);
    EXPECT_DOUBLE_EQ(s.PlotY[0], 1800 * 0.000001 * 2 * 3.14159265358979 * 0.984807753012208);
    EXPECT_DOUBLE_EQ(s.PlotY[1], 1200 * 2E-06 * 2 * 3.14159265358979 * 0.819152044288992);
    EXPECT_DOUBLE_EQ(s.PlotY[2], 960 * -1E-07 * 2 * 3.14159265358979 * 0.5);
    EXPECT_EQ(s.PlotY[3], 0);
    // A typed coefficient counts from the next packet.
    Calibrate("0.001", "0");
    Feed(kVsfLine);
    EXPECT_EQ(output().Cell(1, 1), "1.85");
}

TEST_F(Decoding, EmptyOrNonNumericCalibrationCellAbandonsThePacketAndDeselectsTheView) {
    for (const char* bad : {"", "12abc"}) {
        Select(&MainForm::inst2, kViewVsfBeta);
        s.GraphingOn = 1;
        m.Command1.SetCaption("Stop Graphing");
        m.Command1.SetBackColour(kLightRed);
        Calibrate("0.001", "0");
        table().SetCell(2, 1, "0.002");
        table().SetCell(3, 1, bad);
        Feed(kVsfLine);
        EXPECT_DOUBLE_EQ(s.PlotY[0], 1.85) << bad;
        EXPECT_DOUBLE_EQ(s.PlotY[1], 2.42) << bad;
        EXPECT_EQ(output().Cell(1, 1), "") << bad;
        EXPECT_EQ(Messages().back(), "Error: Type mismatch");
        EXPECT_EQ(s.GraphingOn + s.GraphView, 0);
        EXPECT_EQ(m.Command1.Caption(), "Start Graphing");
        EXPECT_EQ(m.Command1.BackColour(), kLightGreen);
    }
    Feed(kVsfLine);
    EXPECT_EQ(output().Cell(1, 1), "");
    EXPECT_EQ(program.dialogs.Messages().size(), 2u);
}

TEST_F(Decoding, DflChlorophyllIsScalingTimesCountsLessCleanWaterOffsetInAOneMinuteWindow) {
    Select(&MainForm::inst4, kViewDflChlorophyll);
    Feed(kDflLine);
    EXPECT_EQ(m.Text47.Text(), "0");
    m.Text10.SetText("100");
    m.Text16.SetText("0.5 ug/l");
    s.GraphingOn = 1;
    Feed(kDflLine);
    EXPECT_EQ(m.Text47.Text(), "260");
    EXPECT_EQ(s.PlotY[0], 260);
    EXPECT_DOUBLE_EQ(s.PlotX[0], 0.0154319);
    EXPECT_DOUBLE_EQ(s.TimeHistoryX[2], 0.0154319);
    EXPECT_EQ(s.TimeHistoryY[2], 260);
    EXPECT_DOUBLE_EQ(TimeAxis().maximum, 0.0154319 + 0.00069444444);
    EXPECT_EQ(m.Label23.Caption(), "21 seconds per div");
}

}  // namespace
}  // namespace zan
