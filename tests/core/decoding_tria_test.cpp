#include <gtest/gtest.h>

#include "acquisition/acquisition_loop.h"
#include "core/number_text.h"
#include "decoding/process_packet.h"
#include "sim/sensor_model.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

// Field 0 as the packet table holds it: the header with the tab that ended it.
TriaLayout Header(const std::string& characters11To17) {
    return ReadTriaHeader("TRIA-0042 " + characters11To17 + "\t");
}

TEST(TriaHeader, ColourSlotsTakeFourFieldsEachAfterTheTime) {
    const TriaLayout l = Header("BGRxANN");
    EXPECT_EQ(l.blueColumn, 2);
    EXPECT_EQ(l.greenColumn, 6);
    EXPECT_EQ(l.redColumn, 10);
    EXPECT_EQ(l.sensorColumnEnd, 15);
    EXPECT_TRUE(l.pressure);
    EXPECT_FALSE(l.aux1);
    EXPECT_FALSE(l.aux2);
    EXPECT_EQ(l.fieldCount, 16);
}

TEST(TriaHeader, FluorometerSlotTakesOneField) {
    const TriaLayout l = Header("BFR NNN");
    EXPECT_EQ(l.blueColumn, 2);
    EXPECT_EQ(l.fluorColumn, 6);
    EXPECT_EQ(l.redColumn, 7);
    EXPECT_EQ(l.sensorColumnEnd, 12);
    EXPECT_FALSE(l.pressure);
    EXPECT_EQ(l.fieldCount, 12);
}

TEST(TriaHeader, EmptySlotsAndOtherPressureLettersAddNothing) {
    const TriaLayout l = Header("-G-xQNN");
    EXPECT_EQ(l.blueColumn, 0);
    EXPECT_EQ(l.greenColumn, 2);
    EXPECT_EQ(l.redColumn, 0);
    EXPECT_FALSE(l.pressure);
    EXPECT_EQ(l.fieldCount, 7);
    for (char p : std::string("ADPSV"))
        EXPECT_TRUE(Header(std::string("BGRx") + p + "NN").pressure);
}

TEST(TriaHeader, ColourNamedTwiceKeepsTheLaterColumn) {
    const TriaLayout l = Header("BBR NNN");
    EXPECT_EQ(l.blueColumn, 6);
    EXPECT_EQ(l.redColumn, 10);
}

TEST(TriaHeader, MissingAuxiliaryCharactersCountAsPresent) {
    const TriaLayout l = ReadTriaHeader("TRIA-0042 BGR P");
    EXPECT_TRUE(l.aux1);
    EXPECT_TRUE(l.aux2);
    EXPECT_EQ(l.fieldCount, 18);
    const TriaLayout empty = ReadTriaHeader("");
    EXPECT_EQ(empty.fieldCount, 5);
    EXPECT_EQ(empty.blueColumn, 0);
}

class TriaDecoding : public ::testing::Test {
  protected:
    void SetUp() override {
        program.Load();
        program.ctx.main.inst6.Click();
    }
    void Feed(const std::string& line) { WalkReceivedText(program.ctx, line); }
    // The simulator's line shape: header, time, blue, green, red blocks, Vin, pressure.
    std::string Line(const std::string& header = sim::kTriaHeader) {
        return header +
               "\t12:00:"
               "00\t2100\t1420\t1030\t4000\t1760\t1190\t880\t4000\t1380\t940\t700\t4000\t12.00\t10."
               "0\r\n";
    }
    ProgramState& state() { return program.ctx.state; }
    FlexGrid& output() { return program.ctx.main.MSFlexGrid1; }
    FlexGrid& table() { return program.ctx.main.MSFlexGrid2; }

    VirtualProgram program;
};

TEST_F(TriaDecoding, EveryPacketSetsTheLayoutAndItsLabelsWhateverTheView) {
    state().GraphView = 0;
    Feed(Line());
    EXPECT_EQ(state().TriaBlueColumn, 2);
    EXPECT_EQ(state().TriaGreenColumn, 6);
    EXPECT_EQ(state().TriaRedColumn, 10);
    EXPECT_EQ(state().TriaSensorColumnEnd, 15);
    EXPECT_EQ(state().TriaHasPressure, 1);
    EXPECT_EQ(state().TriaHasAux1, 0);
    EXPECT_EQ(program.ctx.main.Label14.Caption(), "2");
    EXPECT_EQ(program.ctx.main.Label15.Caption(), "6");
    EXPECT_EQ(program.ctx.main.Label20.Caption(), "10");
    EXPECT_EQ(program.ctx.main.Label28.Caption(), "16");
    EXPECT_EQ(output().Cell(1, 1), "");
}

TEST_F(TriaDecoding, RawCountsFillEachColoursRowsAndArrays) {
    state().GraphView = kViewTriaCounts;
    Feed(Line());
    const char* expected[] = {"2100", "1420", "1030", "1760", "1190", "880", "1380", "940", "700"};
    for (int row = 1; row <= 9; ++row) EXPECT_EQ(output().Cell(row, 1), expected[row - 1]) << row;
    EXPECT_EQ(state().TriaBlueAngles, (std::array<float, 4>{100, 125, 150, 180}));
    EXPECT_EQ(state().TriaBlueValues, (std::array<float, 4>{2100, 1420, 1030, 0}));
    EXPECT_EQ(state().TriaGreenValues, (std::array<float, 4>{1760, 1190, 880, 0}));
    EXPECT_EQ(state().TriaRedValues, (std::array<float, 4>{1380, 940, 700, 0}));
    EXPECT_EQ(output().Cell(10, 0), "");
}

TEST_F(TriaDecoding, PacketWhoseCountDiffersFromTheHeaderIsNotDecoded) {
    state().GraphView = kViewTriaCounts;
    Feed("TRIA-0042 BGR PNY\t12:00:00\t2100\t1420\t1030\t4000\r\n");
    EXPECT_EQ(state().TriaHasAux2, 1);
    EXPECT_EQ(program.ctx.main.Label28.Caption(), "17");
    EXPECT_EQ(output().Cell(1, 1), "");
    EXPECT_EQ(state().TriaBlueValues, (std::array<float, 4>{}));
}

TEST_F(TriaDecoding, FluorometerValueGoesToRowTenAndItsColumnOutlivesLaterHeaders) {
    state().GraphView = kViewTriaCounts;
    Feed(
        "TRIA-0042 BFR NNN\t12:00:00\t2100\t1420\t1030\t4000\t613\t1380\t940\t700\t4000\t12.0\r\n");
    EXPECT_EQ(output().Cell(10, 0), "Fluor");
    EXPECT_EQ(output().Cell(10, 1), "613");
    EXPECT_EQ(output().Cell(7, 1), "1380");
    Feed(Line());
    EXPECT_EQ(state().TriaFluorColumn, 6);
    EXPECT_EQ(output().Cell(10, 1), "1760");  // field 6 of the new layout
}

TEST_F(TriaDecoding, BetaUsesCoefficientsCopiedOnlyAfterALoad) {
    state().GraphView = kViewTriaBeta;
    table().SetCell(1, 1, "0.001");
    Feed(Line());
    EXPECT_EQ(output().Cell(1, 1), "0");
    EXPECT_EQ(output().Cell(9, 1), "0");
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(TriaDecoding, BetaAfterALoadIsCountsLessOffsetTimesScaling) {
    // Arm the copy as a complete Cal Info load does.
    for (int col = 1; col <= 3; ++col)
        for (int i = 1; i <= 3; ++i) {
            table().SetCell(i, col, std::to_string(col) + "E-06");
            table().SetCell(i + 4, col, "100");
        }
    state().CalibrationReloadPending = 1;
    state().GraphView = kViewTriaBeta;
    Feed(Line());
    EXPECT_EQ(state().CalibrationReloadPending, 0);
    EXPECT_EQ(output().Cell(1, 1), "0.002");  // (2100 - 100) x 1E-06
    EXPECT_EQ(output().Cell(4, 1), GeneralTextSingle(static_cast<float>(1660 * 2E-06)));
    EXPECT_EQ(output().Cell(7, 1), GeneralTextSingle(static_cast<float>(1280 * 3E-06)));
    EXPECT_FLOAT_EQ(state().TriaRedValues[2], 600 * 3E-06f);
    // A typed coefficient waits for the next load.
    table().SetCell(1, 1, "1");
    Feed(Line());
    EXPECT_EQ(output().Cell(1, 1), "0.002");
}

TEST_F(TriaDecoding, BetaWithAnEmptyCellCopiedAtTheLoadFailsInsteadOfShowingZero) {
    for (int row : {1, 2, 3, 5, 6, 7})
        for (int col = 1; col <= 3; ++col) table().SetCell(row, col, "1");
    table().SetCell(6, 2, "");  // as left by choosing the head again after a load
    state().CalibrationReloadPending = 1;
    state().GraphView = kViewTriaBeta;
    Feed(Line());
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].text, "Type mismatch");
    EXPECT_EQ(state().GraphView, 0);
    EXPECT_EQ(output().Cell(1, 1), "2099");  // red and blue came before green
    EXPECT_EQ(output().Cell(5, 1), "");
}

TEST_F(TriaDecoding, BetaFluorometerReadsItsPairFromTheTableAndFailsWhenItIsEmpty) {
    state().GraphView = kViewTriaBeta;
    const std::string line = "TRIA-0042 FNN NNN\t12:00:00\t613\t12.0\r\n";
    table().SetCell(1, 4, "0.5");
    table().SetCell(5, 4, "13");
    Feed(line);
    EXPECT_EQ(output().Cell(10, 1), "300");
    table().SetCell(1, 4, "");
    Feed(line);
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Error");
    EXPECT_EQ(state().GraphView, 0);
}

TEST_F(TriaDecoding, SimulatorLinesDecodeWithTheSimulatorHeader) {
    state().GraphView = kViewTriaCounts;
    sim::LineGenerator generator(sim::SensorModel::Tria);
    Feed(generator.Line(0));
    EXPECT_EQ(program.ctx.main.Label44.Caption(), "16");
    EXPECT_NE(output().Cell(1, 1), "");
    EXPECT_NEAR(state().TriaBlueValues[0], 2100, 200);
}

}  // namespace
}  // namespace zan
