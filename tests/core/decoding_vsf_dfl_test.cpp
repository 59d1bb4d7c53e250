#include <gtest/gtest.h>

#include <sstream>

#include "acquisition/acquisition_loop.h"
#include "calibration/coefficient_number.h"
#include "core/colour.h"
#include "core/number_text.h"
#include "core/test_support.h"
#include "decoding/process_packet.h"
#include "sim/sensor_model.h"
#include "state/view_codes.h"

namespace zan {
namespace {

using test::Lines;

using test::kVsfLine;
const std::string kDflLine = "12/06/26\t1000\t620\r\n";

class Decoding : public test::Loaded {
  protected:
    void Select(MenuItem MainForm::*instrument, float view) {
        (m.*instrument).Click();
        s.GraphView = view;
    }
    // Fills the VSF table's three rows: scaling and offset of 100, 125 and 150 degrees.
    void Calibrate(const std::array<const char*, 6>& cells) {
        for (int i = 0; i < 6; ++i) table().SetCell(i / 2 + 1, i % 2 + 1, cells[i]);
    }
    FlexGrid& output() { return m.MSFlexGrid1; }
    FlexGrid& table() { return m.MSFlexGrid2; }
};

TEST_F(Decoding, VsfBetaIsCountsLessOffsetTimesScalingRoundedInTheGridWeightedInThePlot) {
    Select(&MainForm::inst2, kViewVsfBeta);
    Calibrate({"0.000001", "50", " 2E-06 ", "10", "-1E-07", "0"});
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
    Calibrate({"0.001", "0", "0.001", "0", "0.001", "0"});
    Feed(kVsfLine);
    EXPECT_EQ(output().Cell(1, 1), "1.85");
}

TEST_F(Decoding, EmptyOrNonNumericCalibrationCellAbandonsThePacketAndDeselectsTheView) {
    for (const char* bad : {"", "12abc"}) {
        Select(&MainForm::inst2, kViewVsfBeta);
        m.Command1.Click();
        Calibrate({"0.001", "0", "0.002", "0", bad, "0"});
        Feed(kVsfLine);
        EXPECT_DOUBLE_EQ(s.PlotY[0], 1.85) << bad;
        EXPECT_DOUBLE_EQ(s.PlotY[1], 2.42) << bad;
        EXPECT_EQ(output().Cell(1, 1), "") << bad;
        // The message names the cell and what it holds, and how to fill it.
        const std::string holds = *bad ? " holds \"12abc\", not a number." : " is empty.";
        EXPECT_EQ(Messages().back(),
                  "Error: Beta needs every calibration coefficient, and the 150\xC2\xB0 scaling "
                  "factor (row 3, column 1)" +
                      holds + kFillCalibrationTable);
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
    EXPECT_EQ(std::make_pair(s.PlotX[0], s.PlotY[0]), std::make_pair(0.0154319, 260.0));
    EXPECT_EQ(std::make_pair(s.TimeHistoryX[2], s.TimeHistoryY[2]),
              std::make_pair(0.0154319, 260.0));
    EXPECT_DOUBLE_EQ(m.CWGraph2.GetAxis(1).maximum, 0.0154319 + 0.00069444444);
    EXPECT_EQ(m.Label23.Caption(), "21 seconds per div");
}

// A consumer registered after the window's reads, from the record alone, the
// texts the window shows, and learns which packets the view did not decode.
TEST_F(Decoding, ARegisteredConsumerReadsTheTextsTheWindowShowsFromTheRecord) {
    std::vector<DecodedRecord> seen;
    std::vector<std::string> shown;
    program.ctx.packetHandlers.Register([&](const DecodedRecord& record) {
        seen.push_back(record);
        shown.push_back(std::string(record.packet.Text(0)) + " " +
                        std::string(record.packet.Text(1)) + " " + std::string(record.Output(1)) +
                        "|" + std::string(record.Output(2)) + "|" + std::string(record.Output(3)));
    });
    Select(&MainForm::inst2, kViewVsfCounts);
    Feed(kVsfLine);
    Feed("12/06/26\t12:00:01\t1\r\n");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(std::make_pair(seen[0].decoded, seen[0].changedRows), std::make_pair(true, 0b1110u));
    EXPECT_EQ(shown[0], "12/06/26 12:00:00 " + test::Cells(output(), 1, 1, 3, 1));
    EXPECT_EQ(std::make_pair(seen[1].decoded, seen[1].changedRows), std::make_pair(false, 0u));
    Select(&MainForm::inst4, kViewDflChlorophyll);
    m.Text16.SetText("2");
    Feed(kDflLine);
    ASSERT_TRUE(seen.back().timePoint);
    EXPECT_EQ(std::make_pair(seen.back().timePoint->t, seen.back().timePoint->value),
              std::make_pair(0.0154319, 1240.0));
    EXPECT_TRUE(seen.back().fluorometerChanged);
    EXPECT_EQ(m.Text47.Text(), "1240");
}

// A layout as "B G R F end, pressure aux1 aux2, fields".
std::string Described(const TriaLayout& l) {
    std::ostringstream out;
    out << l.blueColumn << " " << l.greenColumn << " " << l.redColumn << " " << l.fluorColumn << " "
        << l.sensorColumnEnd << ", " << l.pressure << l.aux1 << l.aux2 << ", " << l.fieldCount;
    return out.str();
}

// Colour slots take four fields, the fluorometer one, after the time; empty
// slots and other pressure letters add nothing; a colour named twice keeps
// the later; a header cut short has no auxiliary inputs.
TEST(TriaHeader, ColourSlotsTakeFourFieldsTheFluorometerOneAfterTheTime) {
    const std::pair<const char*, const char*> headers[] = {
        {"TRIA-0042 BGRxANN\t", "2 6 10 0 15, 100, 16"},
        {"TRIA-0042 BFR NNN\t", "2 0 7 6 12, 000, 12"},
        {"TRIA-0042 -G-xQNN\t", "0 2 0 0 7, 000, 7"},
        {"TRIA-0042 BGRxVNN\t", "2 6 10 0 15, 100, 16"},
        {"TRIA-0042 BBR NNN\t", "6 0 10 0 15, 000, 15"},
        {"TRIA-0042 BGR P", "2 6 10 0 15, 100, 16"},
        {"TRIA-0042 BGRxDNN\t", "2 6 10 0 15, 100, 16"},
        {"TRIA-0042 BGRxPNN\t", "2 6 10 0 15, 100, 16"},
        {"TRIA-0042 BGRxSNN\t", "2 6 10 0 15, 100, 16"},
        {"", "0 0 0 0 3, 000, 3"}};
    for (const auto& [header, layout] : headers)
        EXPECT_EQ(Described(ReadTriaHeader(header)), layout) << header;
}

class TriaDecoding : public Decoding {
  protected:
    void SetUp() override { m.inst6.Click(); }
    // The simulator's line shape: header, time, blue, green, red blocks, Vin, pressure.
    std::string Line() {
        return std::string(sim::kTriaHeader) +
               "\t12:00:00\t2100\t1420\t1030\t4000\t1760\t1190\t880\t4000\t1380\t940\t700\t4000"
               "\t12.00\t10.0\r\n";
    }
};

// The fluorometer's value goes to row ten and its column outlives later headers.
TEST_F(TriaDecoding, RawCountsFillEachColoursRowsAndArraysIfTheCountMatchesTheHeader) {
    s.GraphView = kViewTriaCounts;
    Feed("TRIA-0042 BGR PNY\t12:00:00\t2100\t1420\t1030\t4000\r\n");
    EXPECT_EQ(s.TriaHasAux2, 1);
    EXPECT_EQ(output().Cell(1, 1), "");
    EXPECT_EQ(s.TriaBlueValues, (std::array<float, 4>{}));
    Feed(Line());
    EXPECT_EQ(test::Cells(output(), 1, 1, 10, 1), "2100|1420|1030|1760|1190|880|1380|940|700|");
    using Four = std::array<float, 4>;
    EXPECT_EQ(s.TriaBlueAngles, (Four{100, 125, 150, 180}));
    EXPECT_EQ((std::array<Four, 3>{s.TriaBlueValues, s.TriaGreenValues, s.TriaRedValues}),
              (std::array<Four, 3>{
                  Four{2100, 1420, 1030, 0}, {1760, 1190, 880, 0}, {1380, 940, 700, 0}}));
    Feed(
        "TRIA-0042 BFR NNN\t12:00:00\t2100\t1420\t1030\t4000\t613\t1380\t940\t700\t4000\t12.0\r\n");
    EXPECT_EQ(test::Cells(output(), 10, 0, 10, 1), "Fluor|613");
    EXPECT_EQ(output().Cell(7, 1), "1380");
    Feed(Line());
    EXPECT_EQ(s.TriaFluorColumn, 6);
    EXPECT_EQ(output().Cell(10, 1), "1760");  // field 6 of the new layout
}

TEST_F(TriaDecoding, BetaUsesCoefficientsCopiedOnlyAtALoad) {
    s.GraphView = kViewTriaBeta;
    table().SetCell(1, 1, "0.001");
    Feed(Line());
    EXPECT_EQ(output().Cell(1, 1) + output().Cell(9, 1), "00");
    // Arm the copy as a complete Cal Info load does.
    for (int col = 1; col <= 3; ++col)
        for (int i = 1; i <= 3; ++i) {
            table().SetCell(i, col, std::to_string(col) + "E-06");
            table().SetCell(i + 4, col, "100");
        }
    s.CalibrationReloadPending = 1;
    Feed(Line());
    EXPECT_EQ(s.CalibrationReloadPending, 0);
    EXPECT_EQ(output().Cell(1, 1), "0.002");  // (2100 - 100) x 1E-06
    EXPECT_EQ(output().Cell(4, 1), GeneralTextSingle(static_cast<float>(1660 * 2E-06)));
    EXPECT_EQ(output().Cell(7, 1), GeneralTextSingle(static_cast<float>(1280 * 3E-06)));
    EXPECT_FLOAT_EQ(s.TriaRedValues[2], 600 * 3E-06f);
    table().SetCell(1, 1, "1");
    Feed(Line());
    EXPECT_EQ(output().Cell(1, 1), "0.002");
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(TriaDecoding, BetaReadsTheFluorometerPairFromTheTableAndAnEmptyCellFailsInsteadOfZero) {
    s.GraphView = kViewTriaBeta;
    const std::string line = "TRIA-0042 FNN NNN\t12:00:00\t613\t12.0\r\n";
    table().SetCell(1, 4, "0.5");
    table().SetCell(5, 4, "13");
    Feed(line);
    EXPECT_EQ(output().Cell(10, 1), "300");
    table().SetCell(1, 4, "");
    Feed(line);
    EXPECT_EQ(s.GraphView, 0);
    for (int row : {1, 2, 3, 5, 6, 7})
        for (int col = 1; col <= 3; ++col) table().SetCell(row, col, "1");
    table().SetCell(6, 2, "");  // as left by choosing the head again after a load
    s.CalibrationReloadPending = 1;
    s.GraphView = kViewTriaBeta;
    Feed(Line());
    const std::string cause = "Error: Beta needs every calibration coefficient, and the ";
    EXPECT_EQ(Messages(),
              (test::Lines{cause + "fluorometer scaling factor (row 1, column 4) is empty." +
                               kFillCalibrationTable,
                           cause + "green 125\xC2\xB0 offset (row 6, column 2) is empty." +
                               kFillCalibrationTable}));
    EXPECT_EQ(s.GraphView, 0);
    EXPECT_EQ(output().Cell(1, 1), "2099");  // red and blue came before green
    EXPECT_EQ(output().Cell(5, 1), "");
}

}  // namespace
}  // namespace zan
