#include <gtest/gtest.h>

#include <filesystem>

#include "core/number_value.h"
#include "core/test_support.h"
#include "decoding/process_packet.h"
#include "link/port_operations.h"
#include "sim/simulated_sensor.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

struct Example {
    MenuItem MainForm::*instrument;
    const char* file;
    sim::SensorModel model;
    float view;
    int rows;
};
struct ExampleCalInfo : ::testing::TestWithParam<Example> {};

// Coastal water scatters some 1E-03 to 1E-02 per metre and steradian at these angles, less
// towards the back, and blue light more than red.
TEST_P(ExampleCalInfo, SavesAgainUnchangedAndTurnsSimulatedCountsIntoPlausibleBetas) {
    const Example& e = GetParam();
    VirtualProgram program;
    program.Load();
    (program.ctx.main.*e.instrument).Click();
    program.dialogs.AnswerFile((fs::path(ZANHOST_SOURCE_DIR) / "examples" / e.file).string());
    program.ctx.main.Command30.Click();
    // Saved again by the program it is the same file but for its name.
    test::TempFolder folder;
    program.dialogs.AnswerFile((folder / e.file).string());
    program.ctx.main.Command31.Click();
    std::string expected = test::ReadBytes(fs::path(ZANHOST_SOURCE_DIR) / "examples" / e.file);
    expected.replace(0, expected.find("\r\n"), "ZAN " + (folder / e.file).string());
    EXPECT_EQ(test::ReadBytes(folder / e.file), expected);

    program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(e.model));
    OpenPort(program.ctx, 1);
    program.ctx.state.GraphView = e.view;
    program.pump.RunFor(5);
    ASSERT_TRUE(program.dialogs.Messages().empty());
    auto output = [&](int row) {
        return WholeTextNumber(program.ctx.main.MSFlexGrid1.Cell(row, 1));
    };
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
