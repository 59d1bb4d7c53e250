#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>

#include "acquisition/acquisition_loop.h"
#include "calibration/cal_info_file.h"
#include "core/field_stream.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "core/test_support.h"
#include "link/port_operations.h"
#include "sim/simulated_sensor.h"
#include "state/instruments.h"
#include "state/view_codes.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;
using test::Lines;

const std::string kHeading = "Angle\tScaling Factor\tOffset\r\n";

class CalInfo : public test::Loaded {
  protected:
    // Save Cal Info and Load Cal Info with the given file chosen.
    void Save(const fs::path& path) {
        program.dialogs.AnswerFile(path.string());
        m.Command31.Click();
    }
    void Load(const fs::path& path) {
        program.dialogs.AnswerFile(path.string());
        m.Command30.Click();
    }
    FlexGrid& table() { return m.MSFlexGrid2; }

    test::TempFolder dir;
};

TEST_F(CalInfo, TriaFileTakesColumnsPerColourAndOffsetsFourRowsLower) {
    m.inst6.Click();
    for (int row : {1, 2, 3, 5, 6, 7})
        for (int col = 1; col <= 4; ++col)
            table().SetCell(row, col, std::to_string(row * 10 + col));
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
    m.inst2.Click();
    Load(file);
    EXPECT_EQ(test::Cells(table(), 1, 1, 3, 3), "11|51||21|61||31|71|");
    EXPECT_EQ(s.CalibrationReloadPending, 0);
}

TEST_F(CalInfo, SavedTriaFileLoadsBackIntoTheSameCellsAndArmsTheCoefficientCopy) {
    m.inst6.Click();
    table().SetCell(1, 1, "1.5E-06");
    table().SetCell(5, 1, "42");
    table().SetCell(7, 3, "-3.25");
    table().SetCell(1, 4, "0.012");
    const fs::path file = dir / "tria.txt";
    Save(file);
    const std::string saved = test::ReadBytes(file);
    m.inst6.Click();
    Load(file);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(test::Cells(table(), 0, 1, 2, 4),
              "Blue B(T) |Green B(T) |RED B(T) |Fluor.|"
              "1.5E-06|0|0|0.012|0|0|0|");
    EXPECT_EQ(table().Cell(7, 3), "-3.25");
    EXPECT_EQ(s.CalibrationReloadPending, 1);
    // Empty cells come back as 0; everything else is written the same way again.
    const fs::path again = dir / "again.txt";
    Save(again);
    std::string expected = std::regex_replace(saved, std::regex("\t(?=[\t\r])"), "\t0");
    expected.replace(4, file.string().size(), again.string());
    EXPECT_EQ(test::ReadBytes(again), expected);
}

// A cancelled save and an instrument without a table do nothing; a file that cannot be
// opened or written gives the system's description; a short file or none chosen says what
// the table holds and what to do.
TEST_F(CalInfo, CancelledOrTablelessCommandsDoNothingAndFailuresSayWhyAndWhatToDo) {
    m.inst4.Click();
    Save(dir / "dfl.txt");
    Load(dir / "absent.txt");
    m.inst2.Click();
    program.dialogs.CancelFile();
    m.Command31.Click();
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(fs::is_empty(dir.path));
    const fs::path file = dir / "short.txt";
    test::WriteBytes(file,
                     "ZAN x\r\nCreated on: 1/1/2026\r\n\r\r\n" + kHeading + "100\t0.001\t2\r\n");
    Load(dir / "absent.txt");
    Load(file);
    program.dialogs.CancelFile();
    m.Command30.Click();
    Save(dir / "no" / "folder.txt");
    Save("/dev/full");
    EXPECT_EQ(Messages(),
              (Lines{"Error: Could not open " + (dir / "absent.txt").string() +
                         ": No such file or directory. The calibration table is unchanged.",
                     "Error: " + file.string() +
                         " ends at line 6, before all 3 coefficient lines of a VSF Cal Info file; "
                         "the table took the first 1. Load a Cal Info file saved for the VSF to "
                         "fill the rest.",
                     "Error: No Cal Info file was chosen, so the calibration table is unchanged. "
                     "Click \"Load Cal Info\" again and choose one to load it.",
                     "Error: Could not open " + (dir / "no" / "folder.txt").string() +
                         ": No such file or directory",
                     "Error: Could not write to /dev/full: No space left on device. 0 lines are in "
                     "the file."}));
    EXPECT_EQ(test::Cells(table(), 1, 1, 2, 1), "0.001|");
}

const std::string kHeader =
    "ZAN cal.txt\r\nCreated on: 12/6/2026\r\n\r\r\nAngle\tScaling\tOffset\r\n";

// A VSF file whose first data line is the given one: its first pair and each
// warning with its line.
TEST(CalInfoValues, AnUnreadableValueReadsAsZeroWithAWarningOnItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"100\t0.001\t50", "0.001 50"},
        {"100\tx\t50", "0 50|5: no coefficients in \"100\\tx\\t50\""},
        {"100\t1e999\t50", "0 50|5: no coefficients in \"100\\t1e999\\t50\""},
        {"100\t2\t-1e999", "2 0|5: no coefficients in \"100\\t2\\t-1e999\""}};
    for (const auto& [line, read] : cases) {
        FieldStream fields(std::make_unique<std::istringstream>(kHeader + line +
                                                                "\r\n125\t2\t10\r\n150\t3\t60\r\n"),
                           "cal.txt");
        const CalInfoValues values = ParseCalInfo(fields, kVsf);
        std::string got =
            GeneralText(values.pairs.at(0).scaling) + " " + GeneralText(values.pairs.at(0).offset);
        for (const CalInfoWarning& w : values.warnings)
            got += "|" + std::to_string(w.line) + ": " + w.text;
        EXPECT_EQ(got, read);
        EXPECT_EQ(values.pairs.size(), 3u) << line;
    }
}

class CalibrationEditor : public CalInfo {
  protected:
    void SetUp() override { m.inst2.Click(); }
    void Type(const std::string& text) {
        for (char c : text) editor().TypeChar(c);
    }
    TextBox& editor() { return m.Text11; }
};

TEST_F(CalibrationEditor, ClickShowsAnEmptyFocusedEditorOverTheCellWhoseTextFollowsEachKey) {
    table().ClickCell(2, 1);
    EXPECT_TRUE(editor().Visible() && editor().HasFocus());
    EXPECT_EQ(std::make_pair(editor().Left(), editor().Top()), std::make_pair(1440, 720));
    EXPECT_EQ(
        (std::array<double, 4>{s.EditCellRow, s.EditCellColumn, static_cast<double>(table().Row()),
                               static_cast<double>(table().Col())}),
        (std::array<double, 4>{2, 1, 2, 1}));
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
    EXPECT_FALSE(editor().Visible() || editor().HasFocus());
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
    EXPECT_EQ(table().Cell(1, 1) + " " + table().Cell(3, 2), "0.5 0");
    EXPECT_EQ(m.MSFlexGrid1.Cell(1, 1), "0");
}

struct Example {
    MenuItem MainForm::*instrument;
    const char* file;
    sim::SensorModel model;
    float view;
    int rows;
};
struct ExampleCalInfo : CalInfo, ::testing::WithParamInterface<Example> {};

// Coastal water scatters some 1E-03 to 1E-02 per metre and steradian at these angles, less
// towards the back, and blue light more than red.
TEST_P(ExampleCalInfo, SavesAgainUnchangedAndTurnsSimulatedCountsIntoPlausibleBetas) {
    const Example& e = GetParam();
    const fs::path example = fs::path(ZANHOST_SOURCE_DIR) / "examples" / e.file;
    (m.*e.instrument).Click();
    Load(example);
    // Saved again by the program it is the same file but for its name.
    Save(dir / e.file);
    std::string expected = test::ReadBytes(example);
    expected.replace(0, expected.find("\r\n"), "ZAN " + (dir / e.file).string());
    EXPECT_EQ(test::ReadBytes(dir / e.file), expected);

    program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(e.model));
    OpenPort(program.ctx, 1);
    s.GraphView = e.view;
    program.pump.RunFor(5);
    ASSERT_TRUE(Messages().empty());
    auto output = [&](int row) { return WholeTextNumber(m.MSFlexGrid1.Cell(row, 1)); };
    for (int row = 1; row <= e.rows; ++row) {
        EXPECT_GT(output(row), 0.0005) << row;
        EXPECT_LT(output(row), 0.005) << row;
    }
    EXPECT_GT(output(1), output(e.rows));
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleCalInfo,
                         ::testing::Values(Example{&MainForm::inst2, "vsf_cal_info.txt",
                                                   sim::SensorModel::Vsf, kViewVsfBeta, 3},
                                           Example{&MainForm::inst6, "tria_cal_info.txt",
                                                   sim::SensorModel::Tria, kViewTriaBeta, 9}));

}  // namespace
}  // namespace zan
