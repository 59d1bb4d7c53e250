#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>

#include "calibration/cal_info_file.h"
#include "core/file_bytes.h"
#include "core/text_file.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

class CalInfo : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("zan_calinfo_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        program.Load();
    }
    void TearDown() override { fs::remove_all(dir); }

    void Save(const fs::path& path) {
        program.dialogs.AnswerFile(path.string());
        program.ctx.main.Command31.Click();
    }
    void Load(const fs::path& path) {
        program.dialogs.AnswerFile(path.string());
        program.ctx.main.Command30.Click();
    }
    FlexGrid& table() { return program.ctx.main.MSFlexGrid2; }
    const auto& messages() { return program.dialogs.Messages(); }

    fs::path dir;
    VirtualProgram program;
};

const std::string kHeading = "Angle\tScaling Factor\tOffset\r\n";

TEST_F(CalInfo, VsfFileHoldsHeaderAndThreeLinesExactlyAsTheCellsStand) {
    program.ctx.main.inst2.Click();
    table().SetCell(1, 1, "0.00123");
    table().SetCell(1, 2, "45");
    const fs::path file = dir / "vsf.txt";
    Save(file);
    EXPECT_EQ(test::ReadBytes(file), "ZAN " + file.string() +
                                         "\r\nCreated on: 12/6/2026\r\n\r\r\n" + kHeading +
                                         "100\t0.00123\t45\r\n125\t\t\r\n150\t\t\r\n");
    EXPECT_TRUE(messages().empty());
}

TEST_F(CalInfo, TriaFileTakesColumnsPerColourAndOffsetsFourRowsLower) {
    program.ctx.main.inst6.Click();
    for (int row = 1; row <= 7; ++row)
        for (int col = 1; col <= 4; ++col)
            if (row != 4) table().SetCell(row, col, std::to_string(row * 10 + col));
    program.clock.pattern = "dd.MM.yy";
    const fs::path file = dir / "tria.txt";
    Save(file);
    EXPECT_EQ(test::ReadBytes(file), "ZAN " + file.string() + "\r\nCreated on: 06.12.26\r\n\r\r\n" +
                                         kHeading +
                                         "B100\t11\t51\r\nB125\t21\t61\r\nB150\t31\t71\r\n"
                                         "G100\t12\t52\r\nG125\t22\t62\r\nG150\t32\t72\r\n"
                                         "R100\t13\t53\r\nR125\t23\t63\r\nR150\t33\t73\r\n"
                                         "Fluor.\t14\t54\r\n");
}

TEST_F(CalInfo, SavedTriaFileLoadsBackIntoTheSameCellsAndArmsTheCoefficientCopy) {
    program.ctx.main.inst6.Click();
    table().SetCell(1, 1, "1.5E-06");
    table().SetCell(5, 1, "42");
    table().SetCell(7, 3, "-3.25");
    table().SetCell(1, 4, "0.012");
    table().SetCell(5, 4, "45");
    const fs::path file = dir / "tria.txt";
    Save(file);
    const std::string saved = test::ReadBytes(file);
    program.ctx.main.inst6.Click();
    Load(file);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(table().Cell(1, 1), "1.5E-06");
    EXPECT_EQ(table().Cell(5, 1), "42");
    EXPECT_EQ(table().Cell(7, 3), "-3.25");
    EXPECT_EQ(table().Cell(1, 4), "0.012");
    EXPECT_EQ(table().Cell(2, 2), "0");
    EXPECT_EQ(table().Cell(0, 1), "Blue B(T) ");
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

TEST_F(CalInfo, DataLineWithOneTabLoadsOnlyTheOffset) {
    program.ctx.main.inst2.Click();
    test::WriteBytes(dir / "one.txt",
                     "t\r\nd\r\n\r\r\nh\r\n100\t2.5\r\n125\t1\t2\r\n150\t3\t4\r\n");
    Load(dir / "one.txt");
    EXPECT_EQ(table().Cell(1, 1), "0");
    EXPECT_EQ(table().Cell(1, 2), "2.5");
    EXPECT_EQ(table().Cell(3, 2), "4");
}

TEST_F(CalInfo, CommaInsideALineSplitsItAndShiftsTheFollowingLines) {
    program.ctx.main.inst2.Click();
    test::WriteBytes(dir / "comma.txt",
                     "t\r\nd\r\n\r\r\nh\r\n100\t1,5\t3\r\n125\t7\t8\r\n150\t9\t10\r\n");
    Load(dir / "comma.txt");
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(table().Cell(1, 1), "0");  // "100\t1": no second tab
    EXPECT_EQ(table().Cell(1, 2), "1");
    EXPECT_EQ(table().Cell(2, 1), "0");  // "5\t3": the label part goes, 3 is the offset
    EXPECT_EQ(table().Cell(2, 2), "3");
    EXPECT_EQ(table().Cell(3, 1), "7");
    EXPECT_EQ(table().Cell(3, 2), "8");
}

TEST_F(CalInfo, ShortFileFillsWhatItHoldsThenReportsWithoutArmingTheCopy) {
    program.ctx.main.inst6.Click();
    test::WriteBytes(dir / "short.txt", "t\r\nd\r\n\r\r\nh\r\nB100\t2\t40\r\nB125\t3\t41\r\n");
    Load(dir / "short.txt");
    EXPECT_EQ(table().Cell(1, 1), "2");
    EXPECT_EQ(table().Cell(6, 1), "41");
    EXPECT_EQ(table().Cell(3, 1), "");
    EXPECT_EQ(program.ctx.state.CalibrationReloadPending, 0);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, "error");
    EXPECT_EQ(messages()[0].text, "Input past end of file");
    EXPECT_EQ(messages()[0].icon, MessageIcon::Information);
}

TEST_F(CalInfo, TriaFileLoadedWhileVsfIsSelectedFillsTheVsfRowsFromItsFirstLines) {
    program.ctx.main.inst6.Click();
    for (int row : {1, 2, 3, 5, 6, 7})
        for (int col = 1; col <= 4; ++col)
            table().SetCell(row, col, std::to_string(row * 10 + col));
    Save(dir / "tria.txt");
    program.ctx.main.inst2.Click();
    Load(dir / "tria.txt");
    EXPECT_EQ(table().Cell(1, 1), "11");
    EXPECT_EQ(table().Cell(1, 2), "51");
    EXPECT_EQ(table().Cell(3, 2), "71");
    EXPECT_EQ(table().Cell(1, 3), "");
    EXPECT_EQ(program.ctx.state.CalibrationReloadPending, 0);
}

TEST_F(CalInfo, MissingFileOrCancelledLoadShowsTheSystemDescription) {
    program.ctx.main.inst2.Click();
    Load(dir / "absent.txt");
    program.dialogs.CancelFile();
    program.ctx.main.Command30.Click();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].title, "error");
    EXPECT_NE(messages()[0].text.find("No such file or directory"), std::string::npos);
    EXPECT_EQ(messages()[1].title, "error");
}

TEST_F(CalInfo, CancelledSaveDoesNothing) {
    program.ctx.main.inst2.Click();
    program.dialogs.CancelFile();
    program.ctx.main.Command31.Click();
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(CalInfo, SaveThatCannotCreateTheFileReportsTheSystemDescription) {
    program.ctx.main.inst2.Click();
    Save(dir / "no" / "such" / "folder.txt");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, "Error");
    EXPECT_EQ(messages()[0].text,
              "No such file or directory: " + (dir / "no" / "such" / "folder.txt").string());
}

TEST_F(CalInfo, SaveThatCannotBeWrittenReportsTheSystemDescription) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    program.ctx.main.inst2.Click();
    Save("/dev/full");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "No space left on device: /dev/full");
}

TEST_F(CalInfo, InstrumentsWithoutATableNeitherWriteNorRead) {
    program.ctx.main.inst4.Click();
    Save(dir / "dfl.txt");
    Load(dir / "absent.txt");
    EXPECT_FALSE(fs::exists(dir / "dfl.txt"));
    EXPECT_TRUE(messages().empty());
}

TEST_F(CalInfo, DialogsStartWithAnEmptyNameAndKeepWhatOtherCommandsSet) {
    program.ctx.main.inst2.Click();
    auto& dialog = program.ctx.main.CommonDialog1;
    dialog.title = "Open Raw File";
    dialog.filter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|";
    dialog.defaultExtension = "txt";
    dialog.fileName = "old.txt";
    Save(dir / "vsf.txt");
    Load(dir / "vsf.txt");
    ASSERT_EQ(program.dialogs.FileRequests().size(), 2u);
    for (const auto& r : program.dialogs.FileRequests()) {
        EXPECT_EQ(r.request.title, "Open Raw File");
        EXPECT_EQ(r.request.filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|");
        EXPECT_EQ(r.request.defaultExtension, "txt");
        EXPECT_EQ(r.request.initialName, "");
    }
    EXPECT_TRUE(program.dialogs.FileRequests()[0].save);
    EXPECT_FALSE(program.dialogs.FileRequests()[1].save);
    EXPECT_EQ(dialog.fileName, (dir / "vsf.txt").string());
}

// A locale whose numbers use a decimal comma, as many users have.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(CalInfo, NumbersAreWrittenWithAPeriodWhateverTheLocale) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    program.ctx.main.inst2.Click();
    table().ClickCell(1, 1);
    for (char c : std::string("0.0025")) program.ctx.main.Text11.TypeChar(c);
    program.ctx.main.Text11.KeyDown(13);
    table().ClickCell(1, 2);
    for (char c : std::string("52.5")) program.ctx.main.Text11.TypeChar(c);
    program.ctx.main.Text11.KeyDown(13);
    Save(dir / "vsf.txt");
    std::locale::global(previous);
    const std::string bytes = test::ReadBytes(dir / "vsf.txt");
    EXPECT_NE(bytes.find("100\t0.0025\t52.5\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find(','), std::string::npos);
}

TEST(CalInfoFields, SplitDropsTheLabelAndReadsBothNumbers) {
    EXPECT_DOUBLE_EQ(SplitCalInfoField("G125\t1.5E-06\t40").scaling, 1.5e-6);
    EXPECT_DOUBLE_EQ(SplitCalInfoField("G125\t1.5E-06\t40").offset, 40);
    EXPECT_DOUBLE_EQ(SplitCalInfoField("2.5").offset, 2.5);
    EXPECT_DOUBLE_EQ(SplitCalInfoField("2.5").scaling, 0);
    EXPECT_DOUBLE_EQ(SplitCalInfoField("x\tabc\t.5e1x").scaling, 0);
    EXPECT_DOUBLE_EQ(SplitCalInfoField("x\tabc\t.5e1x").offset, 5);
}

TEST(CalInfoFields, ShortDatesFollowThePattern) {
    const LocalDateTime day{2026, 3, 7, 9, 0, 0};
    EXPECT_EQ(FormatShortDate(day, "M/d/yyyy"), "3/7/2026");
    EXPECT_EQ(FormatShortDate(day, "dd/MM/yyyy"), "07/03/2026");
    EXPECT_EQ(FormatShortDate(day, "yyyy-MM-dd"), "2026-03-07");
    EXPECT_EQ(FormatShortDate(day, "d.M.yy"), "7.3.26");
}

}  // namespace
}  // namespace zan
