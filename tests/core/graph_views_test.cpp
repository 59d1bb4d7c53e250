#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/colour.h"
#include "core/test_support.h"

namespace zan {
namespace {

using test::Lines;

class GraphViews : public ::testing::Test {
  protected:
    void SetUp() override { program.Load(); }
    MainForm& main() { return program.ctx.main; }
    ProgramState& state() { return program.ctx.state; }
    // The view items that carry a check mark, by name.
    Lines Checked() {
        Lines names;
        for (MenuItem* item : {&main().mang, &main().tang, &main().rang, &main().df2, &main().df3,
                               &main().triabvsa, &main().triarcvsa})
            if (item->Checked()) names.push_back(item->Name());
        return names;
    }
    bool ScaleFactorShown() { return main().Label59.Visible() && main().CWNumEdit2.Visible(); }
    bool ScaleFactorHidden() { return !main().Label59.Visible() && !main().CWNumEdit2.Visible(); }
    void ExpectGraphing(bool on) {
        EXPECT_EQ(main().Command1.Caption(), on ? "Stop Graphing" : "Start Graphing");
        EXPECT_EQ(main().Command1.BackColour(), on ? kLightRed : kLightGreen);
        EXPECT_EQ(state().GraphingOn, on ? 1 : 0);
    }

    VirtualProgram program;
};

TEST_F(GraphViews, EachViewSetsItsCaptionCheckMarkViewAndScaleFactor) {
    struct Case {
        MenuItem& item;
        Graph& graph;
        const char* caption;
        float view;
    };
    const Case cases[] = {{main().mang, main().CWGraph1, "Beta of Theta Vs Angle", 1},
                          {main().rang, main().CWGraph1, "Raw Counts Vs Angle", 5},
                          {main().triarcvsa, main().CWGraph1, "Raw Counts Vs Angle", 11},
                          {main().df2, main().CWGraph2, "ug/L vs Time", 6},
                          {main().df3, main().CWGraph2, "Raw Counts Vs Time", 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item.Name());
        (&c.graph == &main().CWGraph1 ? main().df2 : main().rang).Click();
        c.item.Click();
        EXPECT_EQ(c.graph.Caption(), c.caption);
        EXPECT_EQ(Checked(), Lines{c.item.Name()});
        EXPECT_EQ(state().GraphView, c.view);
        EXPECT_EQ(ScaleFactorShown(), &c.graph == &main().CWGraph2);
        EXPECT_EQ(ScaleFactorHidden(), &c.graph == &main().CWGraph1);
    }
    EXPECT_EQ(main().Label59.Caption(),
              "Graphing: Scale Factor. This will allow changed the resolution of the graph in its "
              "X cords. Use this to graph an entire data block in one view.  A value of 1 is 21 "
              "secs per div. 2 is 42 seconds, etc...");
}

TEST_F(GraphViews, TriaBetaNeedsADeviceFileInTheCalibrationTable) {
    main().inst6.Click();
    main().triarcvsa.Click();
    main().triabvsa.Click();
    EXPECT_EQ(test::Messages(program), Lines{"Missing Dev File: Please Load Device File"});
    EXPECT_EQ(Checked(), Lines{});
    EXPECT_EQ(state().GraphView, 11);

    main().MSFlexGrid2.SetCell(1, 1, "1.2E-06");
    main().triabvsa.Click();
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(Checked(), Lines{"triabvsa"});
    EXPECT_EQ(main().CWGraph1.Caption(), "Beta of Theta Vs Angle");
    EXPECT_EQ(state().GraphView, 12);
    EXPECT_TRUE(ScaleFactorHidden());
}

TEST_F(GraphViews, DisabledVsfItemsOnlySetTheViewAndBetaVsTimeKeepsItsMarkUntilAVsfViewClearsIt) {
    main().tang.Click();
    EXPECT_EQ(state().GraphView, 2);
    main().dwang.Click();
    EXPECT_EQ(state().GraphView, 3);
    main().Rctime.Click();
    EXPECT_EQ(state().GraphView, 4);
    main().rang.Click();
    EXPECT_EQ(Checked(), (Lines{"tang", "rang"}));
    main().mang.Click();
    EXPECT_EQ(Checked(), Lines{"mang"});
}

TEST_F(GraphViews, StartAndStopGraphingToggleAndChoosingAViewLeavesGraphingAndDataAlone) {
    main().Command1.Click();
    EXPECT_EQ(test::Messages(program), Lines{"Missing Parameter: Please select an instrument"});
    ExpectGraphing(false);
    main().inst2.Click();
    main().Command1.Click();
    ExpectGraphing(true);
    main().CWGraph1.PlotXY(5, {100}, {7});
    for (MenuItem* item : {&main().mang, &main().df3, &main().triarcvsa, &main().rang})
        item->Click();
    ExpectGraphing(true);
    EXPECT_EQ(main().CWGraph1.Plots()[4].y, std::vector<double>{7});
    main().Command1.Click();
    ExpectGraphing(false);
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
}

TEST_F(GraphViews, TheButtonReadsItsCaptionSoGraphingSwitchedOnElsewhereStaysOnAtTheFirstPress) {
    main().inst2.Click();
    state().GraphingOn = 1;
    main().Command1.Click();
    ExpectGraphing(true);
}

}  // namespace
}  // namespace zan
