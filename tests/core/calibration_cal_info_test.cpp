#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "calibration/cal_info_file.h"
#include "core/test_support.h"
#include "core/text_file.h"

namespace zan {
namespace {

namespace fs = std::filesystem;
using test::Lines;

const std::string kHeading = "Angle\tScaling Factor\tOffset\r\n";

class CalInfo : public ::testing::Test {
  protected:
    void SetUp() override { program.Load(); }
    void Save(const fs::path& path) {
        program.dialogs.AnswerFile(path.string());
        program.ctx.main.Command31.Click();
    }
    void Load(const fs::path& path) {
        program.dialogs.AnswerFile(path.string());
        program.ctx.main.Command30.Click();
    }
    void FillTria() {
        program.ctx.main.inst6.Click();
        for (int row : {1, 2, 3, 5, 6, 7})
            for (int col = 1; col <= 4; ++col)
                table().SetCell(row, col, std::to_string(row * 10 + col));
    }
    FlexGrid& table() { return program.ctx.main.MSFlexGrid2; }
    Lines Messages() const { return test::Messages(program); }

    test::TempFolder dir;
    VirtualProgram program;
};

TEST_F(CalInfo, TriaFileTakesColumnsPerColourAndOffsetsFourRowsLower) {
    FillTria();
    program.clock.pattern = "dd.MM.yy";
    const fs::path file = dir / "tria.txt";
    Save(file);
    EXPECT_EQ(test::ReadBytes(file), "ZAN " + file.string() + "\r\nCreated on: 06.12.26\r\n\r\r\n" +
                                         kHeading +
                                         "B100\t11\t51\r\nB125\t21\t61\r\nB150\t31\t71\r\n"
                                         "G100\t12\t52\r\nG125\t22\t62\r\nG150\t32\t72\r\n"
                                         "R100\t13\t53\r\nR125\t23\t63\r\nR150\t33\t73\r\n"
                                         "Fluor.\t14\t54\r\n");
    // Read while the VSF is selected, its first lines fill the VSF rows.
    program.ctx.main.inst2.Click();
    Load(file);
    EXPECT_EQ(test::Cells(table(), 1, 1, 3, 3), "11|51||21|61||31|71|");
    EXPECT_EQ(program.ctx.state.CalibrationReloadPending, 0);
}

TEST_F(CalInfo, SavedTriaFileLoadsBackIntoTheSameCellsAndArmsTheCoefficientCopy) {
    program.ctx.main.inst6.Click();
    table().SetCell(1, 1, "1.5E-06");
    table().SetCell(5, 1, "42");
    table().SetCell(7, 3, "-3.25");
    table().SetCell(1, 4, "0.012");
    const fs::path file = dir / "tria.txt";
    Save(file);
    const std::string saved = test::ReadBytes(file);
    program.ctx.main.inst6.Click();
    Load(file);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(test::Cells(table(), 0, 1, 2, 4),
              "Blue B(T) |Green B(T) |RED B(T) |Fluor.|"
              "1.5E-06|0|0|0.012|0|0|0|");
    EXPECT_EQ(table().Cell(7, 3), "-3.25");
    EXPECT_EQ(program.ctx.state.CalibrationReloadPending, 1);
    // Empty cells come back as 0; everything else is written the same way again.
    const fs::path again = dir / "again.txt";
    Save(again);
    std::string expected = saved;
    for (size_t pos; (pos = expected.find("\t\t")) != std::string::npos;)
        expected.replace(pos, 2, "\t0\t");
    for (size_t pos; (pos = expected.find("\t\r")) != std::string::npos;)
        expected.replace(pos, 2, "\t0\r");
    expected.replace(4, file.string().size(), again.string());
    EXPECT_EQ(test::ReadBytes(again), expected);
}

TEST_F(CalInfo, FilesThatCannotBeReadOrWrittenGiveTheSystemDescription) {
    program.ctx.main.inst2.Click();
    Load(dir / "absent.txt");
    program.dialogs.CancelFile();
    program.ctx.main.Command30.Click();
    Save(dir / "no" / "folder.txt");
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "error");
    EXPECT_NE(Messages()[0].find("No such file or directory"), std::string::npos);
    EXPECT_EQ(program.dialogs.Messages()[1].title, "error");
    EXPECT_EQ(Messages()[2],
              "Error: No such file or directory: " + (dir / "no" / "folder.txt").string());
    if (fs::exists("/dev/full")) {
        Save("/dev/full");
        EXPECT_EQ(Messages().back(), "Error: No space left on device: /dev/full");
    }
}

TEST_F(CalInfo, CancelledSaveAndInstrumentsWithoutATableDoNothing) {
    program.ctx.main.inst2.Click();
    program.dialogs.CancelFile();
    program.ctx.main.Command31.Click();
    program.ctx.main.inst4.Click();
    Save(dir / "dfl.txt");
    Load(dir / "absent.txt");
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(fs::is_empty(dir.path));
}

}  // namespace
}  // namespace zan
