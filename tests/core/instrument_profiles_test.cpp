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

constexpr const char* kFirmwarePrompt = "Firmware: CLICK TO GET INFO";

// What choosing a model does to the elements in kElements: Y sets, N clears, K keeps.
struct Profile {
    const char* model;
    void (*select)(Context&);
    float code;
    const char* elements;
    bool clearsGrid1, clearsGrid2;
};
constexpr const char* kElements =
    "Frame15 dh1 Command28-prompt Command28 triamenugrph df1 vsf1 CWGraph1 CWGraph2 Text47 "
    "Command28-enabled Frame5 Frame8 List2 Frame2 Frame13 MSFlexGrid1 MSFlexGrid2";
const Profile kProfiles[] = {
    {"VSF", inst2_Click, kVsf, "YYYYNNYYNNYYNNYNYY", true, true},
    {"VSFS", inst3_Click, kVsfs, "NKNKKKKYNNYKYNYNYK", true, false},
    {"DFL", inst4_Click, kDfl, "NYYYNYNNYYYNYNYNNK", false, false},
    {"DFLS", inst5_Click, kDfls, "NKNKKKKNYYYNYNYNNK", false, false},
    {"TRIA", inst6_Click, kTria, "NNYYYNNYNNNYNYNYYK", true, true},
};

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

TEST_P(ProfileView, AppliesEveryColumnOfItsProfileAndKeepsTheRest) {
    const auto [index, primed] = GetParam();
    const Profile& p = kProfiles[index];
    SCOPED_TRACE(p.model);
    VirtualProgram program;
    program.Load();
    MainForm& m = program.ctx.main;
    Prime(m, primed);

    p.select(program.ctx);

    EXPECT_EQ(program.ctx.state.InstrumentType, p.code);
    EXPECT_EQ(m.Label13.Caption(), p.model);
    const bool shown[] = {
        m.Frame15.Visible(),   m.dh1.Enabled(),          m.Command28.Caption() == kFirmwarePrompt,
        m.Command28.Visible(), m.triamenugrph.Enabled(), m.df1.Enabled(),
        m.vsf1.Enabled(),      m.CWGraph1.Visible(),     m.CWGraph2.Visible(),
        m.Text47.Visible(),    m.Command28.Enabled(),    m.Frame5.Visible(),
        m.Frame8.Visible(),    m.List2.Visible(),        m.Frame2.Visible(),
        m.Frame13.Visible(),   m.MSFlexGrid1.Visible(),  m.MSFlexGrid2.Visible()};
    std::string got, expected;
    for (size_t i = 0; i < std::size(shown); ++i) {
        got += shown[i] ? 'Y' : 'N';
        expected += p.elements[i] == 'K' ? (primed ? 'Y' : 'N') : p.elements[i];
    }
    EXPECT_EQ(got, expected) << kElements;

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
