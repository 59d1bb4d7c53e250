#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/colour.h"
#include "core/test_support.h"

namespace zan {
namespace {

using test::Lines;

class GraphViews : public test::Loaded {
  protected:
    // The view items that carry a check mark, by name.
    Lines Checked() {
        Lines names;
        for (MenuItem* item :
             {&m.mang, &m.tang, &m.rang, &m.df2, &m.df3, &m.triabvsa, &m.triarcvsa})
            if (item->Checked()) names.push_back(item->Name());
        return names;
    }
    bool ScaleFactorShown() { return m.Label59.Visible() && m.CWNumEdit2.Visible(); }
    bool ScaleFactorHidden() { return !m.Label59.Visible() && !m.CWNumEdit2.Visible(); }
    void ExpectGraphing(bool on) {
        EXPECT_EQ(m.Command1.Caption(), on ? "Stop Graphing" : "Start Graphing");
        EXPECT_EQ(m.Command1.BackColour(), on ? kLightRed : kLightGreen);
        EXPECT_EQ(s.GraphingOn, on ? 1 : 0);
    }
};

TEST_F(GraphViews, EachViewSetsItsCaptionCheckMarkViewAndScaleFactor) {
    struct Case {
        MenuItem& item;
        Graph& graph;
        const char* caption;
        float view;
    };
    const Case cases[] = {{m.mang, m.CWGraph1, "Beta of Theta Vs Angle", 1},
                          {m.rang, m.CWGraph1, "Raw Counts Vs Angle", 5},
                          {m.triarcvsa, m.CWGraph1, "Raw Counts Vs Angle", 11},
                          {m.df2, m.CWGraph2, "ug/L vs Time", 6},
                          {m.df3, m.CWGraph2, "Raw Counts Vs Time", 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.Name());
        (&c.graph == &m.CWGraph1 ? m.df2 : m.rang).Click();
        c.item.Click();
        EXPECT_EQ(c.graph.Caption(), c.caption);
        EXPECT_EQ(Checked(), Lines{c.item.Name()});
        EXPECT_EQ(s.GraphView, c.view);
        EXPECT_EQ(ScaleFactorShown(), &c.graph == &m.CWGraph2);
        EXPECT_EQ(ScaleFactorHidden(), &c.graph == &m.CWGraph1);
    }
}

TEST_F(GraphViews, TriaBetaNeedsADeviceFileInTheCalibrationTable) {
    m.inst6.Click();
    m.triarcvsa.Click();
    m.triabvsa.Click();
    EXPECT_EQ(Messages(), Lines{"Missing Dev File: Please Load Device File"});
    EXPECT_EQ(Checked(), Lines{});
    EXPECT_EQ(s.GraphView, 11);

    m.MSFlexGrid2.SetCell(1, 1, "1.2E-06");
    m.triabvsa.Click();
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(Checked(), Lines{"triabvsa"});
    EXPECT_EQ(m.CWGraph1.Caption(), "Beta of Theta Vs Angle");
    EXPECT_EQ(s.GraphView, 12);
    EXPECT_TRUE(ScaleFactorHidden());
}

TEST_F(GraphViews, StartAndStopGraphingToggleAndChoosingAViewLeavesGraphingAndDataAlone) {
    m.Command1.Click();
    EXPECT_EQ(Messages(), Lines{"Missing Parameter: Please select an instrument"});
    ExpectGraphing(false);
    m.inst2.Click();
    m.Command1.Click();
    ExpectGraphing(true);
    m.CWGraph1.PlotXY(5, {100}, {7});
    for (MenuItem* item : {&m.mang, &m.df3, &m.triarcvsa, &m.rang}) item->Click();
    ExpectGraphing(true);
    EXPECT_EQ(m.CWGraph1.Plots()[4].y, std::vector<double>{7});
    m.Command1.Click();
    ExpectGraphing(false);
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

TEST_F(GraphViews, TheButtonReadsItsCaptionSoGraphingSwitchedOnElsewhereStaysOnAtTheFirstPress) {
    m.inst2.Click();
    s.GraphingOn = 1;
    m.Command1.Click();
    ExpectGraphing(true);
}

}  // namespace
}  // namespace zan
