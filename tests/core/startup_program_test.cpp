#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/test_support.h"
#include "shell/settings_files.h"
#include "state/instruments.h"

namespace zan {
namespace {

namespace fs = std::filesystem;
using test::Lines;

// Date format marks in file order (mdy dmy dym myd ydm ymd): "1" True, "0" False, "?" neither.
std::string Marks(const std::string& truths) {
    std::string bytes;
    for (char t : truths) bytes += t == '1' ? "True\r\n" : t == '0' ? "False\r\n" : "maybe\r\n";
    return bytes;
}

std::string CheckedDateFormats(const MainForm& m) {
    std::string names;
    for (const MenuItem* item : {&m.mdy, &m.dmy, &m.myd, &m.dym, &m.ymd, &m.ydm})
        if (item->Checked()) names += item->Name() + " ";
    return names;
}

// A program whose def.zhl and zhost.def live in a folder of their own, with
// feeds on ports 1 and 2.
struct StartupTest : testing::Test {
    void SetUp() override {
        program.clock.quickSetupPath = quickSetup.string();
        program.clock.preferencesPath = preferences.string();
        program.AttachFeed(1);
        program.AttachFeed(2);
    }
    void WritePreferences(const std::string& bytes) {
        fs::create_directories(preferences.parent_path());
        test::WriteBytes(preferences, bytes);
    }

    test::TempFolder folder;
    fs::path quickSetup = folder / "def.zhl";
    fs::path preferences = folder.path / "config" / "zanhost" / "zhost.def";
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    QuickSetupForm& q = program.ctx.quick;
};

// What Apply does with a remembered choice and a click in the dialog.
struct Remembered {
    const char* file;
    OptionButton QuickSetupForm::*click;
    const char* written;
    float instrument;
    const char* label13;
    int port;
};
struct QuickSetupApply : StartupTest, testing::WithParamInterface<Remembered> {};

TEST_P(QuickSetupApply, OpensTheMainWindowWithTheChosenInstrumentAndPort) {
    const Remembered& r = GetParam();
    if (*r.file) test::WriteBytes(quickSetup, r.file);
    program.Start();
    if (r.click) (q.*r.click).Click();
    q.Command1.Click();
    EXPECT_FALSE(q.Form2.Visible());
    EXPECT_EQ(m.Form1.Caption(), "ZAN Host 4.1.4");
    EXPECT_EQ(program.ctx.state.InstrumentType, r.instrument);
    EXPECT_EQ(m.Label13.Caption(), r.label13);
    EXPECT_EQ(m.Command28.Visible(), r.instrument != kNoInstrument);
    EXPECT_EQ(program.port.OpenPortNumber(), r.port);
    EXPECT_EQ(test::ReadBytes(quickSetup), r.written);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, QuickSetupApply,
    testing::Values(Remembered{"3\r\n2\r\n", nullptr, "3\r\n2\r\n", kTria, "TRIA", 2},
                    // The shutter VSF is chosen through its disabled menu item.
                    Remembered{"4\r\n0\r\n", nullptr, "4\r\n0\r\n", kVsfs, "VSFS", 0},
                    // The last click wins over the remembered choice.
                    Remembered{"1\r\n1\r\n", &QuickSetupForm::Option2, "2\r\n1\r\n", kDfl, "DFL",
                               1},
                    // A short file is no choice at all.
                    Remembered{"3\r\n", &QuickSetupForm::Option4, "0\r\n1\r\n", 0, "None", 1}));

TEST_F(StartupTest,
       TheDialogComesFirstWithTheRememberedChoiceAndIgnoreLeavesItAloneAndHintsAtTheMenu) {
    test::WriteBytes(quickSetup, "3\r\n2\r\n");
    program.Start();
    EXPECT_TRUE(q.Form2.Visible() && !m.Form1.Visible() && !m.StartHint.Visible());
    EXPECT_EQ(q.Form2.Caption(), "ZAN Host ");
    EXPECT_TRUE(q.Option3.Value() && q.Option5.Value());
    EXPECT_FALSE(q.Option1.Value() || q.Label2.Visible());
    // Timer1 starts with the main window's load, not before.
    program.pump.RunFor(0.1);
    EXPECT_EQ(program.port.OpenPortNumber(), 0);
    q.Command2.Click();
    EXPECT_EQ(m.Label13.Caption(), "None");
    EXPECT_EQ(program.port.OpenPortNumber(), 0);
    EXPECT_EQ(test::ReadBytes(quickSetup), "3\r\n2\r\n");
    // With no instrument the window says what to do next, until one is chosen.
    EXPECT_TRUE(m.Form1.Visible() && m.StartHint.Visible() && !q.Form2.Visible() &&
                !m.Command28.Visible());
    EXPECT_NE(m.StartHint.Caption().find("Choose one in the Instrument menu"), std::string::npos);
    // Without test mode the panel switch stays hidden and Ctrl+D does nothing.
    EXPECT_FALSE(m.Image1.Visible() || m.Image1.Enabled() || m.Shape2.Visible());
    m.Image1.Click();
    m.Form1.KeyPress(4);
    EXPECT_FALSE(m.Text9.HasFocus());
    m.codate.Click();
    EXPECT_EQ(test::Messages(program),
              Lines{"Compile Date: This version was compiled on Nov. 28, 2001"});
    m.inst4.Click();
    EXPECT_FALSE(m.StartHint.Visible());
}

TEST_F(StartupTest, ApplyThatCannotRememberTheChoiceSaysSoAndStillOpensTheMainWindow) {
    program.clock.quickSetupPath = (folder / "missing" / "def.zhl").string();
    program.Start();
    q.Option1.Click();
    q.Option4.Click();
    q.Command1.Click();
    EXPECT_TRUE(test::OneMessageWith(program, "Error: "));
    EXPECT_EQ(program.ctx.state.InstrumentType, kVsf);
    EXPECT_EQ(program.port.OpenPortNumber(), 1);
}

TEST_F(StartupTest, CtrlKThenTheExclamationMarkUnlocksTheTestingPanelAndCtrlDItsTerminal) {
    program.Start();
    for (int key : {33, 11}) q.Form2.KeyPress(key);
    EXPECT_FALSE(program.ctx.state.TestMode || q.Label2.Visible());
    for (int key : {65, 66, 4, 13, 33}) q.Form2.KeyPress(key);
    EXPECT_TRUE(program.ctx.state.TestMode && q.Label2.Visible());
    EXPECT_EQ(q.Label2.Caption(), "HALVORN MODE ENABLED");
    q.Command1.Click();
    EXPECT_TRUE(m.Image1.Visible() && m.Image1.Enabled() && m.Shape2.Visible());
    m.Form1.KeyPress(4);
    EXPECT_FALSE(m.Text9.HasFocus());
    m.Image1.Click();
    EXPECT_TRUE(m.Frame9.Visible() && !m.Frame12.Visible());
    m.Form1.KeyPress(3);
    EXPECT_FALSE(m.Text9.HasFocus());
    m.Form1.KeyPress(4);
    EXPECT_TRUE(m.Text9.HasFocus());
}

TEST_F(StartupTest, TheFirstSavedFormatInLoadOrderWinsAndExitWritesTheChoiceBack) {
    struct Case {
        const char* saved;  // nullptr: no file
        const char* checked;
        const char* label;
        std::string written;
    };
    const Case cases[] = {{"010010", "dmy ", "DD/MM/YY", Marks("010000")},
                          {"000000", "", "MM/DD/YY", Marks("000000")},
                          {nullptr, "mdy ", "MM/DD/YY", Marks("100000")},
                          {"01?000", "mdy ", "MM/DD/YY", Marks("100000")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.saved ? c.saved : "no file");
        fs::remove(preferences);
        if (c.saved) WritePreferences(Marks(c.saved));
        VirtualProgram fresh;
        fresh.clock.preferencesPath = preferences.string();
        fresh.Load();
        EXPECT_EQ(CheckedDateFormats(fresh.ctx.main) + fresh.ctx.main.Label40.Caption(),
                  std::string(c.checked) + c.label);
        fresh.ctx.main.ex.Click();
        EXPECT_EQ(test::ReadBytes(preferences), c.written);
        EXPECT_TRUE(fresh.ctx.programEnded && !fresh.ctx.main.Form1.Visible());
    }
}

TEST_F(StartupTest, EachDateFormatItemShowsItsFormatAndIsSavedOnItsOwnLine) {
    program.ctx.state.QuickSetupPort = 2;
    program.Load();
    const std::pair<MenuItem*, const char*> cases[] = {{&m.mdy, "MM/DD/YY"}, {&m.dmy, "DD/MM/YY"},
                                                       {&m.dym, "DD/YY/MM"}, {&m.myd, "MM/YY/DD"},
                                                       {&m.ydm, "YY/DD/MM"}, {&m.ymd, "YY/MM/DD"}};
    for (const auto& [item, format] : cases) {
        item->Click();
        EXPECT_EQ(CheckedDateFormats(m) + m.Label40.Caption(), item->Name() + " " + format);
    }
    m.ydm.Click();
    m.ex.Click();
    EXPECT_EQ(test::ReadBytes(preferences), Marks("000010"));
    // Exit closes the port but keeps its check mark.
    EXPECT_EQ(program.port.OpenPortNumber(), 0);
    EXPECT_TRUE(m.op2.Checked());
}

TEST_F(StartupTest, ClosingTheMainWindowSavesPreferencesButLeavesThePortOpen) {
    program.ctx.state.QuickSetupPort = 1;
    program.Load();
    m.dym.Click();
    m.Form1.Close();
    EXPECT_EQ(program.port.OpenPortNumber(), 1);
    EXPECT_EQ(test::ReadBytes(preferences), Marks("001000"));
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
    EXPECT_TRUE(program.ctx.programEnded && program.dialogs.Messages().empty());
}

TEST(QuickSetupFile, ReadsTheFirstNumberOfEachLineAndCodesThatNameNothingAsNone) {
    const std::pair<const char*, std::pair<float, float>> cases[] = {{" 3 \r\n  2\r\n", {3, 2}},
                                                                     {"5\n4\n", {5, 4}},
                                                                     {"9\r\n7\r\n", {0, 0}},
                                                                     {"abc\r\n2.5\r\n", {0, 0}},
                                                                     {"-1\r\n-3\r\n", {0, 0}}};
    for (const auto& [bytes, expected] : cases) {
        const auto choice = ParseQuickSetup(bytes);
        ASSERT_TRUE(choice) << bytes;
        EXPECT_EQ(std::make_pair(choice->instrument, choice->port), expected) << bytes;
    }
    // A missing line makes the whole file unreadable.
    EXPECT_FALSE(ParseQuickSetup("") || ParseQuickSetup("3\r\n"));
}

TEST(PreferenceFile, ReadsSixTruthValuesInAnyLetterCaseOrNothing) {
    const auto marks = ParsePreferences("true\r\nFALSE\r\n TrUe \r\nfalse\r\nFalse\r\nTrue\r\n");
    ASSERT_TRUE(marks);
    EXPECT_EQ(*marks, (DateFormatMarks{true, false, true, false, false, true}));
    for (const char* bad : {"True\r\nYes\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n",
                            "True\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n",
                            "True\r\n\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n", ""})
        EXPECT_FALSE(ParsePreferences(bad)) << bad;
}

TEST(PreferencePath, FollowsTheUsersConfigurationFolder) {
    EXPECT_EQ(UserPreferencesPath("/tmp/cfg", "/home/ann"), "/tmp/cfg/zanhost/zhost.def");
    for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/cfg"})
        EXPECT_EQ(UserPreferencesPath(ignored, "/home/ann"), "/home/ann/.config/zanhost/zhost.def");
    EXPECT_EQ(UserPreferencesPath(nullptr, nullptr), "zhost.def");
}

}  // namespace
}  // namespace zan
