#include "shell/instrument_profiles.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "state/instruments.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

// One cell of the profile table: set to a value, or left as it was.
enum class Cell { No, Yes, Keep };
constexpr Cell N = Cell::No, Y = Cell::Yes, K = Cell::Keep;
constexpr const char* kFirmwarePrompt = "Firmware: CLICK TO GET INFO";

struct Profile {
    const char* model;
    void (*select)(Context&);
    float code;
    const char* label13;
    Cell frame15, dh1, command28Caption, command28Visible, triaMenu, df1, vsf1, graph1, graph2,
        text47, command28Enabled, frame5, frame8, list2, frame2, frame13, grid1Visible,
        grid2Visible;
    bool clearsGrid1, clearsGrid2;
};

// Columns in the order VSF, VSFS, DFL, DFLS, TRIA.
const std::array<Profile, 5> kProfiles{{
    {"VSF", inst2_Click, kVsf, "VSF", Y, Y, Y, Y, N, N, Y,    Y,
     N,     N,           Y,    Y,     N, N, Y, N, Y, Y, true, true},
    {"VSFS", inst3_Click, kVsfs, "VSFS", N, K, K, K, K, K, K,    Y,
     N,      N,           Y,     K,      Y, N, Y, N, Y, K, true, false},
    {"DFL", inst4_Click, kDfl, "DFL", N, Y, Y, Y, N, Y, N,     N,
     Y,     Y,           Y,    N,     Y, N, Y, N, N, K, false, false},
    {"DFLS", inst5_Click, kDfls, "DFLS", N, K, K, K, K, K, K,     N,
     Y,      Y,           Y,     N,      Y, N, Y, N, N, K, false, false},
    {"TRIA", inst6_Click, kTria, "TRIA", N, N, Y, Y, Y, N, N,    Y,
     N,      N,           N,     Y,      N, Y, N, Y, Y, K, true, true},
}};

// A grid's headings: row 0 from column 0, then column 0 from row 1.
struct Headings {
    std::vector<std::string> top, side;
};
const Headings kVsfOutputHeadings{{"Angle ", "Output "}, {"100 ", "125 ", "150 "}};
const Headings kTriaOutputHeadings{
    {"Angle", "Output "},
    {"B100", "B125 ", "B150 ", "G100 ", "G125 ", "G150 ", "R100 ", "R125 ", "R150 "}};
const Headings kVsfCalibrationHeadings{{"Angle", "Beta (T)", "Offset"}, {"100 ", "125 ", "150 "}};
const Headings kTriaCalibrationHeadings{
    {"Angle ", "Blue B(T) ", "Green B(T) ", "RED B(T) ", "Fluor."},
    {"100 & Fluor.", "125            ", "150            ", "Offset", "100 & Fluor.",
     "125            ", "150            "}};

// Every cell holds its heading or, if it has none, the given text.
void ExpectGrid(const FlexGrid& grid, const Headings& headings, const std::string& other = "") {
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c) {
            const auto& line = r == 0 ? headings.top : headings.side;
            const size_t at = static_cast<size_t>(r == 0 ? c : c == 0 ? r - 1 : -1);
            EXPECT_EQ(grid.Cell(r, c), at < line.size() ? line[at] : other)
                << grid.Name() << " cell " << r << "," << c;
        }
}

void FillGrid(FlexGrid& grid, const std::string& text) {
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c) grid.SetCell(r, c, text);
}

struct ProfileView : ::testing::TestWithParam<std::tuple<int, bool>> {};

// Puts every element the profiles touch into a known state, so a kept
// element shows the value it had and a set one the profile's value.
void Prime(MainForm& m, bool on) {
    for (Control* c : std::initializer_list<Control*>{
             &m.Frame15, &m.Command28, &m.CWGraph1, &m.CWGraph2, &m.Text47, &m.Frame5, &m.Frame8,
             &m.List2, &m.Frame2, &m.Frame13, &m.MSFlexGrid1, &m.MSFlexGrid2})
        c->SetVisible(on);
    for (Control* c :
         std::initializer_list<Control*>{&m.dh1, &m.triamenugrph, &m.df1, &m.vsf1, &m.Command28})
        c->SetEnabled(on);
    for (MenuItem* item : {&m.inst2, &m.inst3, &m.inst4, &m.inst5, &m.inst6})
        item->SetChecked(true);
    m.Command28.SetCaption("Firmware: VSF 1.02");
    m.Label13.SetCaption("None");
    for (Graph* g : {&m.CWGraph1, &m.CWGraph2}) {
        g->SetAxisMinimum(1, 7);
        g->SetAxisMaximum(1, 8);
    }
    FillGrid(m.MSFlexGrid1, "x");
    FillGrid(m.MSFlexGrid2, "y");
}

void ExpectCell(Cell cell, bool actual, bool primed, const char* what) {
    const bool expected = cell == Cell::Keep ? primed : cell == Cell::Yes;
    EXPECT_EQ(actual, expected) << what;
}

TEST_P(ProfileView, AppliesEveryColumnOfItsProfileAndKeepsTheRest) {
    const auto [index, primed] = GetParam();
    const Profile& p = kProfiles[static_cast<size_t>(index)];
    SCOPED_TRACE(p.model);
    VirtualProgram program;
    program.Load();
    MainForm& m = program.ctx.main;
    Prime(m, primed);

    p.select(program.ctx);

    EXPECT_EQ(program.ctx.state.InstrumentType, p.code);
    EXPECT_EQ(m.Label13.Caption(), p.label13);
    EXPECT_EQ(m.Command28.Caption(),
              p.command28Caption == K ? "Firmware: VSF 1.02" : kFirmwarePrompt);
    ExpectCell(p.frame15, m.Frame15.Visible(), primed, "Frame15");
    ExpectCell(p.dh1, m.dh1.Enabled(), primed, "dh1");
    ExpectCell(p.command28Visible, m.Command28.Visible(), primed, "Command28 visible");
    ExpectCell(p.command28Enabled, m.Command28.Enabled(), primed, "Command28 enabled");
    ExpectCell(p.triaMenu, m.triamenugrph.Enabled(), primed, "triamenugrph");
    ExpectCell(p.df1, m.df1.Enabled(), primed, "df1");
    ExpectCell(p.vsf1, m.vsf1.Enabled(), primed, "vsf1");
    ExpectCell(p.graph1, m.CWGraph1.Visible(), primed, "CWGraph1");
    ExpectCell(p.graph2, m.CWGraph2.Visible(), primed, "CWGraph2");
    ExpectCell(p.text47, m.Text47.Visible(), primed, "Text47");
    ExpectCell(p.frame5, m.Frame5.Visible(), primed, "Frame5");
    ExpectCell(p.frame8, m.Frame8.Visible(), primed, "Frame8");
    ExpectCell(p.list2, m.List2.Visible(), primed, "List2");
    ExpectCell(p.frame2, m.Frame2.Visible(), primed, "Frame2");
    ExpectCell(p.frame13, m.Frame13.Visible(), primed, "Frame13");
    ExpectCell(p.grid1Visible, m.MSFlexGrid1.Visible(), primed, "MSFlexGrid1");
    ExpectCell(p.grid2Visible, m.MSFlexGrid2.Visible(), primed, "MSFlexGrid2");

    const std::array<const MenuItem*, 5> items{&m.inst2, &m.inst3, &m.inst4, &m.inst5, &m.inst6};
    for (size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(items[i]->Checked(), i == static_cast<size_t>(index)) << items[i]->Name();

    const bool tria = p.code == kTria;
    if (p.clearsGrid1)
        ExpectGrid(m.MSFlexGrid1, tria ? kTriaOutputHeadings : kVsfOutputHeadings);
    else
        ExpectGrid(m.MSFlexGrid1, {}, "x");
    if (p.clearsGrid2)
        ExpectGrid(m.MSFlexGrid2, tria ? kTriaCalibrationHeadings : kVsfCalibrationHeadings);
    else
        ExpectGrid(m.MSFlexGrid2, {}, "y");

    const Graph::Axis& x1 = m.CWGraph1.GetAxis(1);
    const Graph::Axis& x2 = m.CWGraph2.GetAxis(1);
    EXPECT_EQ(std::make_pair(x1.minimum, x1.maximum),
              p.code == kDfls ? std::make_pair(0.0, 100.0) : std::make_pair(7.0, 8.0));
    EXPECT_EQ(std::make_pair(x2.minimum, x2.maximum),
              p.code == kDfl ? std::make_pair(0.0, 0.01) : std::make_pair(7.0, 8.0));
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(AllModels, ProfileView,
                         ::testing::Combine(::testing::Range(0, 5), ::testing::Bool()));

class InstrumentMenu : public ::testing::Test {
  protected:
    void SetUp() override { program.Load(); }
    VirtualProgram program;
    Context& ctx = program.ctx;
    MainForm& m = program.ctx.main;
};

TEST_F(InstrumentMenu, ChoosingTheSameModelTwiceOnlyClearsTheGridsAgain) {
    m.inst2.Click();
    m.MSFlexGrid1.SetCell(1, 1, " .0123");
    m.MSFlexGrid2.SetCell(1, 1, "0.5");
    m.inst2.Click();
    ExpectGrid(m.MSFlexGrid1, kVsfOutputHeadings);
    ExpectGrid(m.MSFlexGrid2, kVsfCalibrationHeadings);
    EXPECT_TRUE(m.inst2.Checked());
    EXPECT_EQ(ctx.state.InstrumentType, kVsf);
}

TEST_F(InstrumentMenu, RefreshClearsOnlyTheCheckMarksList2AndFrame15) {
    m.inst6.Click();
    m.Frame15.SetVisible(true);
    RefreshInstrumentMenu(ctx);
    for (const MenuItem* item : {&m.inst2, &m.inst3, &m.inst4, &m.inst5, &m.inst6})
        EXPECT_FALSE(item->Checked());
    EXPECT_FALSE(m.List2.Visible());
    EXPECT_FALSE(m.Frame15.Visible());
    EXPECT_EQ(ctx.state.InstrumentType, kTria);
    EXPECT_TRUE(m.Frame13.Visible());
    EXPECT_EQ(m.Label13.Caption(), "TRIA");
}

TEST(InstrumentStartUp, TranslatesEachQuickSetupCodeIntoItsInstrumentCode) {
    const std::pair<float, float> codes[] = {{kQuickVsf, kVsf},
                                             {kQuickDfl, kDfl},
                                             {kQuickTria, kTria},
                                             {kQuickVsfs, kVsfs},
                                             {kQuickDfls, kDfls}};
    for (const auto& [quick, code] : codes) {
        VirtualProgram program;
        program.ctx.state.InstrumentType = quick;
        program.Load();
        EXPECT_EQ(program.ctx.state.InstrumentType, code) << "quick-setup code " << quick;
        EXPECT_TRUE(program.ctx.main.Command28.Visible());
    }
    VirtualProgram none;
    none.Load();
    EXPECT_EQ(none.ctx.state.InstrumentType, kNoInstrument);
    EXPECT_FALSE(none.ctx.main.Command28.Visible());
    EXPECT_FALSE(none.ctx.main.inst3.Enabled());
    EXPECT_FALSE(none.ctx.main.inst5.Enabled());
}

}  // namespace
}  // namespace zan
