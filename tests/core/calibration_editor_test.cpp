#include <gtest/gtest.h>

#include "acquisition/acquisition_loop.h"
#include "core/test_support.h"
#include "decoding/process_packet.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

class CalibrationEditor : public test::Loaded {
  protected:
    void SetUp() override { m.inst2.Click(); }
    void Type(const std::string& text) {
        for (char c : text) editor().TypeChar(c);
    }
    TextBox& editor() { return m.Text11; }
    FlexGrid& table() { return m.MSFlexGrid2; }
};

TEST_F(CalibrationEditor, ClickShowsAnEmptyFocusedEditorOverTheCellWhoseTextFollowsEachKey) {
    table().ClickCell(2, 1);
    EXPECT_TRUE(editor().Visible());
    EXPECT_TRUE(editor().HasFocus());
    EXPECT_EQ(editor().Left(), 480 + 960 * 1);
    EXPECT_EQ(editor().Top(), 240 + 240 * 2);
    EXPECT_EQ(s.EditCellRow, 2);
    EXPECT_EQ(s.EditCellColumn, 1);
    EXPECT_EQ(table().Row(), 2);
    EXPECT_EQ(table().Col(), 1);
    // The cell shows the number the text reads as, 0 for none.
    const std::pair<const char*, const char*> keys[] = {
        {"-", "0"}, {"1.", "-1"}, {"50", "-1.5"}, {"e-3x", "-0.0015"}};
    for (const auto& [typed, cell] : keys) {
        Type(typed);
        EXPECT_EQ(table().Cell(2, 1), cell) << typed;
    }
    // Esc neither hides nor restores; Enter commits and hides.
    editor().KeyDown(27);
    EXPECT_TRUE(editor().Visible());
    editor().KeyDown(13);
    EXPECT_FALSE(editor().Visible());
    EXPECT_FALSE(editor().HasFocus());
    EXPECT_EQ(table().Cell(2, 1), "-0.0015");
}

TEST_F(CalibrationEditor, PacketsDecodedWhileTypingLeaveTheEditedCellCurrent) {
    for (int i = 1; i <= 3; ++i) {
        table().SetCell(i, 1, "1");
        table().SetCell(i, 2, "0");
    }
    s.GraphView = kViewVsfBeta;
    table().ClickCell(1, 1);
    Type("0.");
    WalkReceivedText(program.ctx, "12/06/26\t12:00:00\t1850\t1210\t960\t4010\r\n");
    Type("5");
    EXPECT_EQ(table().Cell(1, 1), "0.5");
    EXPECT_EQ(table().Cell(3, 2), "0");
    EXPECT_EQ(m.MSFlexGrid1.Cell(1, 1), "0");
}

}  // namespace
}  // namespace zan
