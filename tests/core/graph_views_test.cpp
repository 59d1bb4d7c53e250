#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/colour.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

class GraphViews : public ::testing::Test {
  protected:
    void SetUp() override { program.Load(); }
    MainForm& main() { return program.ctx.main; }
    ProgramState& state() { return program.ctx.state; }
    // The view items that carry a check mark, by name.
    std::vector<std::string> Checked() {
        std::vector<std::string> names;
        for (MenuItem* item : {&main().mang, &main().tang, &main().rang, &main().df2, &main().df3,
                               &main().triabvsa, &main().triarcvsa})
            if (item->Checked()) names.push_back(item->Name());
        return names;
    }
    bool ScaleFactorShown() { return main().Label59.Visible() && main().CWNumEdit2.Visible(); }
    bool ScaleFactorHidden() { return !main().Label59.Visible() && !main().CWNumEdit2.Visible(); }

    VirtualProgram program;
};

using Names = std::vector<std::string>;

TEST_F(GraphViews, AngleViewsSetTheAngleGraphCaptionTheirCheckMarkAndTheViewAndHideTheScaleFactor) {
    struct Case {
        MenuItem& item;
        const char* caption;
        float view;
    };
    const Case cases[] = {{main().mang, "Beta of Theta Vs Angle", 1},
                          {main().rang, "Raw Counts Vs Angle", 5},
                          {main().triarcvsa, "Raw Counts Vs Angle", 11}};
    for (const Case& c : cases) {
        main().df2.Click();
        ASSERT_TRUE(ScaleFactorShown());
        c.item.Click();
        EXPECT_EQ(main().CWGraph1.Caption(), c.caption) << c.item.Name();
        EXPECT_EQ(Checked(), Names{c.item.Name()});
        EXPECT_EQ(state().GraphView, c.view);
        EXPECT_TRUE(ScaleFactorHidden()) << c.item.Name();
    }
}

TEST_F(GraphViews, TimeViewsSetTheTimeGraphCaptionAndShowTheScaleFactor) {
    main().rang.Click();
    main().df2.Click();
    EXPECT_EQ(main().CWGraph2.Caption(), "ug/L vs Time");
    EXPECT_EQ(Checked(), Names{"df2"});
    EXPECT_EQ(state().GraphView, 6);
    EXPECT_TRUE(ScaleFactorShown());
    main().df3.Click();
    EXPECT_EQ(main().CWGraph2.Caption(), "Raw Counts Vs Time");
    EXPECT_EQ(Checked(), Names{"df3"});
    EXPECT_EQ(state().GraphView, 7);
    EXPECT_TRUE(ScaleFactorShown());
    EXPECT_EQ(main().Label59.Caption(),
              "Graphing: Scale Factor. This will allow changed the resolution of the graph in its "
              "X cords. "
              "Use this to graph an entire data block in one view.  A value of 1 is 21 secs per "
              "div. 2 is "
              "42 seconds, etc...");
}

TEST_F(GraphViews, TriaBetaNeedsADeviceFileInTheCalibrationTable) {
    main().inst6.Click();
    main().triarcvsa.Click();
    main().triabvsa.Click();
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].text, "Please Load Device File");
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Missing Dev File");
    EXPECT_EQ(Checked(), Names{});
    EXPECT_EQ(state().GraphView, 11);

    main().MSFlexGrid2.SetCell(1, 1, "1.2E-06");
    main().triabvsa.Click();
    EXPECT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(Checked(), Names{"triabvsa"});
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
    EXPECT_EQ(Checked(), (Names{"tang", "rang"}));
    main().mang.Click();
    EXPECT_EQ(Checked(), Names{"mang"});
}

TEST_F(GraphViews, ChoosingAViewLeavesGraphingAndTheDrawnDataAlone) {
    main().inst2.Click();
    main().Command1.Click();
    main().CWGraph1.PlotXY(5, {100}, {7});
    for (MenuItem* item : {&main().mang, &main().df3, &main().triarcvsa, &main().rang})
        item->Click();
    EXPECT_EQ(state().GraphingOn, 1);
    EXPECT_EQ(main().CWGraph1.Plots()[4].y, std::vector<double>{7});
}

TEST_F(GraphViews, StartGraphingWithoutAnInstrumentAsksForOne) {
    main().Command1.Click();
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].text, "Please select an instrument");
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Missing Parameter");
    EXPECT_EQ(main().Command1.Caption(), "Start Graphing");
    EXPECT_EQ(main().Command1.BackColour(), kLightGreen);
    EXPECT_EQ(state().GraphingOn, 0);
}

TEST_F(GraphViews, StartAndStopGraphingToggleCaptionColourAndGraphing) {
    main().inst4.Click();
    main().Command1.Click();
    EXPECT_EQ(main().Command1.Caption(), "Stop Graphing");
    EXPECT_EQ(main().Command1.BackColour(), kLightRed);
    EXPECT_EQ(state().GraphingOn, 1);
    main().Command1.Click();
    EXPECT_EQ(main().Command1.Caption(), "Start Graphing");
    EXPECT_EQ(main().Command1.BackColour(), kLightGreen);
    EXPECT_EQ(state().GraphingOn, 0);
    EXPECT_TRUE(program.dialogs.Messages().empty());
}

TEST_F(GraphViews, TheButtonReadsItsCaptionSoGraphingSwitchedOnElsewhereStaysOnAtTheFirstPress) {
    main().inst2.Click();
    state().GraphingOn = 1;
    main().Command1.Click();
    EXPECT_EQ(main().Command1.Caption(), "Stop Graphing");
    EXPECT_EQ(state().GraphingOn, 1);
}

}  // namespace
}  // namespace zan
