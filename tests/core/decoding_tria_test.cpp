#include <gtest/gtest.h>

#include <sstream>

#include "acquisition/acquisition_loop.h"
#include "core/number_text.h"
#include "core/test_support.h"
#include "decoding/process_packet.h"
#include "sim/sensor_model.h"

namespace zan {
namespace {

// A layout as "B G R F end, pressure aux1 aux2, fields".
std::string Described(const TriaLayout& l) {
    std::ostringstream out;
    out << l.blueColumn << " " << l.greenColumn << " " << l.redColumn << " " << l.fluorColumn << " "
        << l.sensorColumnEnd << ", " << l.pressure << l.aux1 << l.aux2 << ", " << l.fieldCount;
    return out.str();
}

// Colour slots take four fields, the fluorometer one, after the time; empty
// slots and other pressure letters add nothing; a colour named twice keeps
// the later; missing auxiliary characters count as present.
TEST(TriaHeader, ColourSlotsTakeFourFieldsTheFluorometerOneAfterTheTime) {
    const std::pair<const char*, const char*> headers[] = {
        {"TRIA-0042 BGRxANN\t", "2 6 10 0 15, 100, 16"},
        {"TRIA-0042 BFR NNN\t", "2 0 7 6 12, 000, 12"},
        {"TRIA-0042 -G-xQNN\t", "0 2 0 0 7, 000, 7"},
        {"TRIA-0042 BGRxVNN\t", "2 6 10 0 15, 100, 16"},
        {"TRIA-0042 BBR NNN\t", "6 0 10 0 15, 000, 15"},
        {"TRIA-0042 BGR P", "2 6 10 0 15, 111, 18"},
        {"TRIA-0042 BGRxDNN\t", "2 6 10 0 15, 100, 16"},
        {"TRIA-0042 BGRxPNN\t", "2 6 10 0 15, 100, 16"},
        {"TRIA-0042 BGRxSNN\t", "2 6 10 0 15, 100, 16"},
        {"", "0 0 0 0 3, 011, 5"}};
    for (const auto& [header, layout] : headers)
        EXPECT_EQ(Described(ReadTriaHeader(header)), layout) << header;
}

class TriaDecoding : public test::Loaded {
  protected:
    void SetUp() override { m.inst6.Click(); }
    // The simulator's line shape: header, time, blue, green, red blocks, Vin, pressure.
    std::string Line() {
        return std::string(sim::kTriaHeader) +
               "\t12:00:00\t2100\t1420\t1030\t4000\t1760\t1190\t880\t4000\t1380\t940\t700\t4000"
               "\t12.00\t10.0\r\n";
    }
    FlexGrid& output() { return m.MSFlexGrid1; }
    FlexGrid& table() { return m.MSFlexGrid2; }
};

TEST_F(TriaDecoding, RawCountsFillEachColoursRowsAndArraysIfTheCountMatchesTheHeader) {
    s.GraphView = kViewTriaCounts;
    Feed("TRIA-0042 BGR PNY\t12:00:00\t2100\t1420\t1030\t4000\r\n");
    EXPECT_EQ(s.TriaHasAux2, 1);
    EXPECT_EQ(output().Cell(1, 1), "");
    EXPECT_EQ(s.TriaBlueValues, (std::array<float, 4>{}));
    Feed(Line());
    EXPECT_EQ(test::Cells(output(), 1, 1, 10, 1), "2100|1420|1030|1760|1190|880|1380|940|700|");
    EXPECT_EQ(s.TriaBlueAngles, (std::array<float, 4>{100, 125, 150, 180}));
    EXPECT_EQ(s.TriaBlueValues, (std::array<float, 4>{2100, 1420, 1030, 0}));
    EXPECT_EQ(s.TriaGreenValues, (std::array<float, 4>{1760, 1190, 880, 0}));
    EXPECT_EQ(s.TriaRedValues, (std::array<float, 4>{1380, 940, 700, 0}));
}

TEST_F(TriaDecoding, FluorometerValueGoesToRowTenAndItsColumnOutlivesLaterHeaders) {
    s.GraphView = kViewTriaCounts;
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

TEST_F(TriaDecoding, BetaWithAnEmptyCellCopiedAtTheLoadFailsInsteadOfShowingZero) {
    for (int row : {1, 2, 3, 5, 6, 7})
        for (int col = 1; col <= 3; ++col) table().SetCell(row, col, "1");
    table().SetCell(6, 2, "");  // as left by choosing the head again after a load
    s.CalibrationReloadPending = 1;
    s.GraphView = kViewTriaBeta;
    Feed(Line());
    EXPECT_EQ(Messages(), test::Lines{"Error: Type mismatch"});
    EXPECT_EQ(s.GraphView, 0);
    EXPECT_EQ(output().Cell(1, 1), "2099");  // red and blue came before green
    EXPECT_EQ(output().Cell(5, 1), "");
}

TEST_F(TriaDecoding, BetaFluorometerReadsItsPairFromTheTableAndFailsWhenItIsEmpty) {
    s.GraphView = kViewTriaBeta;
    const std::string line = "TRIA-0042 FNN NNN\t12:00:00\t613\t12.0\r\n";
    table().SetCell(1, 4, "0.5");
    table().SetCell(5, 4, "13");
    Feed(line);
    EXPECT_EQ(output().Cell(10, 1), "300");
    table().SetCell(1, 4, "");
    Feed(line);
    EXPECT_EQ(Messages(), test::Lines{"Error: Type mismatch"});
    EXPECT_EQ(s.GraphView, 0);
}

}  // namespace
}  // namespace zan
