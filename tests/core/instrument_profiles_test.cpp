#include "shell/instrument_profiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/test_support.h"
#include "state/instruments.h"

namespace zan {
namespace {

class InstrumentMenu : public test::Loaded {
  protected:
    // The names of the shown elements among those the profiles set, then of the
    // enabled ones after "+", then of the checked model after "*".
    std::string Shown() const {
        std::string names;
        for (const Control* c : std::initializer_list<const Control*>{
                 &m.Frame15, &m.Command28, &m.CWGraph1, &m.CWGraph2, &m.Text47, &m.Frame5,
                 &m.Frame8, &m.List2, &m.Frame2, &m.Frame13})
            if (c->Visible()) names += c->Name() + " ";
        for (const Control* c : std::initializer_list<const Control*>{
                 &m.dh1, &m.triamenugrph, &m.df1, &m.vsf1, &m.Command28})
            if (c->Enabled()) names += "+" + c->Name() + " ";
        for (const MenuItem* item : {&m.inst2, &m.inst3, &m.inst4, &m.inst5, &m.inst6})
            if (item->Checked()) names += "*" + item->Name();
        return names;
    }
};

TEST_F(InstrumentMenu, EachModelShowsItsPanelsAndMenusAndClearsItsGrids) {
    // The shutter models keep the menus and calibration frame of the model before them.
    const struct {
        MenuItem MainForm::*item;
        float code;
        const char* shown;
    } cases[] = {
        {&MainForm::inst4, kDfl, "Command28 CWGraph2 Text47 Frame8 Frame2 +dh1 +df1 +Command28 "},
        {&MainForm::inst3, kVsfs, "Command28 CWGraph1 Frame8 Frame2 +dh1 +df1 +Command28 "},
        {&MainForm::inst2, kVsf, "Frame15 Command28 CWGraph1 Frame5 Frame2 +dh1 +vsf1 +Command28 "},
        {&MainForm::inst5, kDfls, "Command28 CWGraph2 Text47 Frame8 Frame2 +dh1 +vsf1 +Command28 "},
        {&MainForm::inst6, kTria, "Command28 CWGraph1 Frame5 List2 Frame13 +triamenugrph "}};
    for (const auto& c : cases) {
        MenuItem& item = m.*c.item;
        m.MSFlexGrid1.SetCell(1, 1, "x");
        item.Click();
        EXPECT_EQ(s.InstrumentType, c.code) << item.Name();
        EXPECT_EQ(Shown(), c.shown + ("*" + item.Name())) << item.Name();
        EXPECT_EQ(m.Command28.Caption(), "Firmware: CLICK TO GET INFO");
        EXPECT_EQ(m.MSFlexGrid1.Cell(1, 1), c.code == kDfl || c.code == kDfls ? "x" : "");
    }
    EXPECT_EQ(m.Label13.Caption(), "TRIA");
    EXPECT_EQ(test::Cells(m.MSFlexGrid1, 0, 0, 3, 0), "Angle|B100|B125 |B150 ");
    EXPECT_EQ(test::Cells(m.MSFlexGrid2, 0, 0, 0, 4),
              "Angle |Blue B(T) |Green B(T) |RED B(T) |Fluor.");
    // Only the DFLS sets the angle graph's axis, and only the DFL the time graph's.
    EXPECT_EQ(m.CWGraph1.GetAxis(1).maximum, 100);
    EXPECT_EQ(m.CWGraph2.GetAxis(1).maximum, 0.01);
    m.inst2.Click();
    EXPECT_EQ(test::Cells(m.MSFlexGrid1, 0, 0, 1, 1), "Angle |Output |100 |");
    EXPECT_EQ(test::Cells(m.MSFlexGrid2, 0, 0, 1, 2), "Angle|Beta (T)|Offset|100 ||");
    EXPECT_EQ(m.CWGraph1.GetAxis(1).maximum, 100);
}

}  // namespace
}  // namespace zan
