#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/file_bytes.h"
#include "state/instruments.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

const std::string kAllFalse = "False\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n";

// A program whose def.zhl and zhost.def live in a folder of their own, with
// feeds on ports 1 and 2.
struct StartupTest : testing::Test {
    void SetUp() override {
        // The process id keeps builds that run the suite at the same time apart.
        folder = fs::temp_directory_path() /
                 ("zanhost-startup-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        quickSetup = folder / "def.zhl";
        preferences = folder / "config" / "zanhost" / "zhost.def";
        program.clock.quickSetupPath = quickSetup.string();
        program.clock.preferencesPath = preferences.string();
        program.AttachFeed(1);
        program.AttachFeed(2);
    }
    void TearDown() override { fs::remove_all(folder); }

    void WritePreferences(const std::string& bytes) {
        fs::create_directories(preferences.parent_path());
        test::WriteBytes(preferences, bytes);
    }
    std::string CheckedDateFormats() const {
        std::string names;
        for (const MenuItem* item : {&m.mdy, &m.dmy, &m.myd, &m.dym, &m.ymd, &m.ydm})
            if (item->Checked()) names += item->Name() + " ";
        return names;
    }

    VirtualProgram program;
    MainForm& m = program.ctx.main;
    QuickSetupForm& q = program.ctx.quick;
    fs::path folder, quickSetup, preferences;
};

TEST_F(StartupTest, TheProgramOpensWithTheQuickSetupDialogAndNoMainWindow) {
    program.Start();
    EXPECT_TRUE(q.Form2.Visible());
    EXPECT_FALSE(m.Form1.Visible());
    EXPECT_EQ(q.Form2.Caption(), "ZAN Host ");
    EXPECT_FALSE(q.Label2.Visible());
    // Timer1 starts with the main window's load, not before.
    program.pump.RunFor(0.1);
    EXPECT_EQ(program.port.OpenPortNumber(), 0);
}

TEST_F(StartupTest, RememberedTriaOnPortTwoIsPreselectedAndApplied) {
    test::WriteBytes(quickSetup, "3\r\n2\r\n");
    program.Start();
    EXPECT_TRUE(q.Option3.Value());
    EXPECT_TRUE(q.Option5.Value());
    EXPECT_FALSE(q.Option1.Value());
    q.Command1.Click();
    EXPECT_FALSE(q.Form2.Visible());
    EXPECT_TRUE(m.Form1.Visible());
    EXPECT_EQ(m.Form1.Caption(), "ZAN Host 4.1.4");
    EXPECT_TRUE(m.inst6.Checked());
    EXPECT_EQ(program.ctx.state.InstrumentType, kTria);
    EXPECT_EQ(program.port.OpenPortNumber(), 2);
    EXPECT_TRUE(m.op2.Checked());
    EXPECT_EQ(test::ReadBytes(quickSetup), "3\r\n2\r\n");
}

TEST_F(StartupTest, RememberedShutterVsfIsChosenThroughItsDisabledMenuItem) {
    test::WriteBytes(quickSetup, "4\r\n0\r\n");
    program.Start();
    EXPECT_TRUE(q.Option6.Value());
    q.Command1.Click();
    EXPECT_TRUE(m.inst3.Checked());
    EXPECT_EQ(program.ctx.state.InstrumentType, kVsfs);
    EXPECT_EQ(m.Label13.Caption(), "VSFS");
    EXPECT_EQ(program.port.OpenPortNumber(), 0);
}

TEST_F(StartupTest, ApplyWithOnlyAPortWritesNoInstrumentAndOpensThePort) {
    program.Start();
    q.Option4.Click();
    q.Command1.Click();
    EXPECT_EQ(test::ReadBytes(quickSetup), "0\r\n1\r\n");
    EXPECT_EQ(m.Label13.Caption(), "None");
    EXPECT_FALSE(m.Command28.Visible());
    EXPECT_EQ(program.port.OpenPortNumber(), 1);
}

TEST_F(StartupTest, ApplyTakesTheLastChoiceOverTheRememberedOne) {
    test::WriteBytes(quickSetup, "1\r\n1\r\n");
    program.Start();
    q.Option2.Click();
    EXPECT_FALSE(q.Option1.Value());
    q.Command1.Click();
    EXPECT_EQ(test::ReadBytes(quickSetup), "2\r\n1\r\n");
    EXPECT_EQ(program.ctx.state.InstrumentType, kDfl);
}

TEST_F(StartupTest, IgnoreOpensAnEmptyMainWindowAndLeavesTheQuickSetupFileAlone) {
    test::WriteBytes(quickSetup, "3\r\n2\r\n");
    program.Start();
    q.Command2.Click();
    EXPECT_TRUE(m.Form1.Visible());
    EXPECT_FALSE(q.Form2.Visible());
    EXPECT_EQ(m.Label13.Caption(), "None");
    EXPECT_FALSE(m.Command28.Visible());
    EXPECT_EQ(program.port.OpenPortNumber(), 0);
    EXPECT_EQ(program.ctx.state.InstrumentType, 0);
    EXPECT_EQ(test::ReadBytes(quickSetup), "3\r\n2\r\n");
}

TEST_F(StartupTest, TheMainWindowOpensOnRawCountsWithItsGridWidthsStatisticsHeadingsAndPanels) {
    program.Start();
    q.Command2.Click();
    EXPECT_EQ(program.ctx.state.GraphView, 5);
    EXPECT_EQ(m.MSFlexGrid1.ColWidth(0), 800);
    EXPECT_EQ(m.MSFlexGrid1.ColWidth(1), 1650);
    EXPECT_EQ(m.MSFlexGrid3.Cell(0, 1), "100     ");
    EXPECT_EQ(m.MSFlexGrid3.Cell(0, 2), "125     ");
    EXPECT_EQ(m.MSFlexGrid3.Cell(0, 3), "150     ");
    EXPECT_EQ(m.MSFlexGrid3.Cell(0, 4), "     Ref");
    EXPECT_TRUE(m.Frame5.Visible());
    EXPECT_FALSE(m.Frame13.Visible());
    EXPECT_FALSE(m.Frame2.Visible());
    EXPECT_TRUE(m.Frame12.Visible());
    EXPECT_FALSE(m.Frame9.Visible());
}

TEST_F(StartupTest, MissingOrShortQuickSetupFileOpensTheDialogWithNothingSelected) {
    program.Start();
    for (const OptionButton* o : {&q.Option1, &q.Option2, &q.Option3, &q.Option6, &q.Option7,
                                  &q.Option4, &q.Option5, &q.Option9, &q.Option8})
        EXPECT_FALSE(o->Value()) << o->Name();

    VirtualProgram shortFile;
    test::WriteBytes(quickSetup, "3\r\n");
    shortFile.clock.quickSetupPath = quickSetup.string();
    shortFile.Start();
    EXPECT_FALSE(shortFile.ctx.quick.Option3.Value());
    EXPECT_EQ(shortFile.ctx.state.InstrumentType, 0);
}

TEST_F(StartupTest, ApplyThatCannotRememberTheChoiceSaysSoAndStillOpensTheMainWindow) {
    program.clock.quickSetupPath = (folder / "missing" / "def.zhl").string();
    program.Start();
    q.Option1.Click();
    q.Option4.Click();
    q.Command1.Click();
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Error");
    EXPECT_TRUE(m.Form1.Visible());
    EXPECT_EQ(program.ctx.state.InstrumentType, kVsf);
    EXPECT_EQ(program.port.OpenPortNumber(), 1);
}

TEST_F(StartupTest, ClosingTheDialogEndsTheProgramWithoutAMainWindow) {
    program.Start();
    q.Form2.Close();
    EXPECT_TRUE(program.ctx.programEnded);
    EXPECT_FALSE(q.Form2.Visible());
    EXPECT_FALSE(m.Form1.Visible());
    EXPECT_FALSE(fs::exists(quickSetup));
}

TEST_F(StartupTest, TestModeUnlocksOnlyWithCtrlKBeforeTheExclamationMark) {
    program.Start();
    q.Form2.KeyPress(33);
    q.Form2.KeyPress(11);
    EXPECT_EQ(program.ctx.state.TestMode, 0);
    EXPECT_FALSE(q.Label2.Visible());
    for (int key : {65, 66, 4, 13}) q.Form2.KeyPress(key);
    q.Form2.KeyPress(33);
    EXPECT_EQ(program.ctx.state.TestMode, 1);
    EXPECT_TRUE(q.Label2.Visible());
    EXPECT_EQ(q.Label2.Caption(), "HALVORN MODE ENABLED");
}

TEST_F(StartupTest, UnlockedTestModeShowsTheTestingPanelSwitchAfterApply) {
    program.Start();
    q.Form2.KeyPress(11);
    q.Form2.KeyPress(33);
    q.Command1.Click();
    EXPECT_TRUE(m.Image1.Visible());
    EXPECT_TRUE(m.Image1.Enabled());
    EXPECT_TRUE(m.Shape2.Visible());
    m.Image1.Click();
    EXPECT_TRUE(m.Frame9.Visible());
    EXPECT_FALSE(m.Frame12.Visible());
    m.Command24.Click();
    EXPECT_FALSE(m.Frame9.Visible());
    EXPECT_TRUE(m.Frame12.Visible());
}

TEST_F(StartupTest, WithoutTestModeThePanelSwitchStaysHidden) {
    program.Start();
    q.Command2.Click();
    EXPECT_FALSE(m.Image1.Visible());
    EXPECT_FALSE(m.Image1.Enabled());
    EXPECT_FALSE(m.Shape2.Visible());
}

TEST_F(StartupTest, CtrlDInTestModeFocusesTheTerminalBoxOnlyWhileThePanelIsShown) {
    program.Start();
    q.Form2.KeyPress(11);
    q.Form2.KeyPress(33);
    q.Command2.Click();
    m.Form1.KeyPress(4);
    EXPECT_FALSE(m.Text9.HasFocus());
    m.Image1.Click();
    m.Form1.KeyPress(3);
    EXPECT_FALSE(m.Text9.HasFocus());
    m.Form1.KeyPress(4);
    EXPECT_TRUE(m.Text9.HasFocus());
}

TEST_F(StartupTest, CtrlDWithoutTestModeDoesNothing) {
    program.Start();
    q.Command2.Click();
    m.Image1.Click();
    m.Form1.KeyPress(4);
    EXPECT_FALSE(m.Text9.HasFocus());
}

TEST_F(StartupTest, SavedFormatsTheFirstCheckedInLoadOrderWinsAndExitWritesItBack) {
    WritePreferences("False\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n");
    program.Start();
    q.Command2.Click();
    EXPECT_EQ(m.Label40.Caption(), "DD/MM/YY");
    EXPECT_EQ(CheckedDateFormats(), "dmy ");
    m.ex.Click();
    EXPECT_EQ(test::ReadBytes(preferences),
              "False\r\nTrue\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n");
    EXPECT_FALSE(m.Form1.Visible());
    EXPECT_TRUE(program.ctx.programEnded);
}

TEST_F(StartupTest, AllFormatsFalseLeavesNothingCheckedAndRoundTripsByteForByte) {
    WritePreferences(kAllFalse);
    program.Load();
    EXPECT_EQ(CheckedDateFormats(), "");
    EXPECT_EQ(m.Label40.Caption(), "MM/DD/YY");
    m.Form1.Close();
    EXPECT_EQ(test::ReadBytes(preferences), kAllFalse);
}

TEST_F(StartupTest, MissingOrDamagedPreferencesFallBackToMonthDayYear) {
    program.Load();
    EXPECT_EQ(CheckedDateFormats(), "mdy ");
    EXPECT_EQ(m.Label40.Caption(), "MM/DD/YY");

    VirtualProgram damaged;
    WritePreferences("False\r\nTrue\r\nmaybe\r\nFalse\r\nFalse\r\nFalse\r\n");
    damaged.clock.preferencesPath = preferences.string();
    damaged.Load();
    EXPECT_EQ(damaged.ctx.main.Label40.Caption(), "MM/DD/YY");
    EXPECT_TRUE(damaged.ctx.main.mdy.Checked());
    EXPECT_FALSE(damaged.ctx.main.dmy.Checked());
}

TEST_F(StartupTest, EachDateFormatItemShowsItsFormatAndIsSavedOnItsOwnLine) {
    program.Load();
    struct Case {
        MenuItem* item;
        const char* format;
        int line;
    };
    const Case cases[] = {{&m.mdy, "MM/DD/YY", 0}, {&m.dmy, "DD/MM/YY", 1},
                          {&m.dym, "DD/YY/MM", 2}, {&m.myd, "MM/YY/DD", 3},
                          {&m.ydm, "YY/DD/MM", 4}, {&m.ymd, "YY/MM/DD", 5}};
    for (const Case& c : cases) {
        c.item->Click();
        EXPECT_EQ(m.Label40.Caption(), c.format);
        EXPECT_EQ(CheckedDateFormats(), c.item->Name() + " ");
    }
    m.ydm.Click();
    m.ex.Click();
    EXPECT_EQ(test::ReadBytes(preferences),
              "False\r\nFalse\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n");
}

TEST_F(StartupTest, PreferencesThatCannotBeSavedAreReportedOnceAndTheProgramStillEnds) {
    test::WriteBytes(folder / "config", "not a folder");
    program.Load();
    testing::internal::CaptureStderr();
    m.ex.Click();
    m.Form1.Close();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("zhost.def"), std::string::npos) << err;
    EXPECT_EQ(err.find("zhost.def"), err.rfind("zhost.def"));
    EXPECT_TRUE(program.ctx.programEnded);
    EXPECT_FALSE(m.Form1.Visible());
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(StartupTest, ExitClosesTheOpenPortButKeepsItsCheckMark) {
    program.ctx.state.QuickSetupPort = 2;
    program.Load();
    ASSERT_EQ(program.port.OpenPortNumber(), 2);
    m.ex.Click();
    EXPECT_EQ(program.port.OpenPortNumber(), 0);
    EXPECT_TRUE(m.op2.Checked());
    EXPECT_TRUE(fs::exists(preferences));
}

TEST_F(StartupTest, ClosingTheMainWindowSavesPreferencesButLeavesThePortOpen) {
    program.ctx.state.QuickSetupPort = 1;
    program.Load();
    m.dym.Click();
    m.Form1.Close();
    EXPECT_EQ(program.port.OpenPortNumber(), 1);
    EXPECT_EQ(test::ReadBytes(preferences),
              "False\r\nFalse\r\nTrue\r\nFalse\r\nFalse\r\nFalse\r\n");
}

TEST_F(StartupTest, CompileDateShowsTheVersionComments) {
    program.Load();
    m.codate.Click();
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Compile Date");
    EXPECT_EQ(program.dialogs.Messages()[0].text, "This version was compiled on Nov. 28, 2001");
    EXPECT_EQ(m.a1.Caption(), "About");
    EXPECT_EQ(m.codate.Caption(), "Compile Date");
}

}  // namespace
}  // namespace zan
