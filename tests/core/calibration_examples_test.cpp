#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/file_bytes.h"
#include "core/number_value.h"
#include "decoding/process_packet.h"
#include "link/port_operations.h"
#include "sim/simulated_sensor.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(ZANHOST_SOURCE_DIR) / "examples";

class ExampleCalInfo : public ::testing::Test {
  protected:
    void SetUp() override { program.Load(); }

    void LoadExample(const std::string& name) {
        program.dialogs.AnswerFile((kExamples / name).string());
        program.ctx.main.Command30.Click();
        ASSERT_TRUE(program.dialogs.Messages().empty());
    }
    void StreamFrom(sim::SensorModel model, float view) {
        program.port.Attach(1, std::make_shared<sim::SimulatedSensor>(model));
        OpenPort(program.ctx, 1);
        program.ctx.state.GraphView = view;
        program.pump.RunFor(5);
    }
    // The example saved again by the program is the same file but for its name.
    void ExpectSavedAgainUnchanged(const std::string& name) {
        const fs::path copy =
            fs::temp_directory_path() / ("zan_example_" + std::to_string(::getpid()) + name);
        program.dialogs.AnswerFile(copy.string());
        program.ctx.main.Command31.Click();
        std::string expected = test::ReadBytes(kExamples / name);
        expected.replace(0, expected.find("\r\n"), "ZAN " + copy.string());
        EXPECT_EQ(test::ReadBytes(copy), expected);
        fs::remove(copy);
    }
    double Output(int row) { return WholeTextNumber(program.ctx.main.MSFlexGrid1.Cell(row, 1)); }

    VirtualProgram program;
};

TEST_F(ExampleCalInfo, ExamplesSaveAgainUnchangedAndTurnSimulatedCountsIntoPlausibleBetas) {
    struct Case {
        MenuItem MainForm::*instrument;
        const char* file;
        sim::SensorModel model;
        float view;
        int rows;
    };
    // Coastal water scatters some 1E-03 to 1E-02 per metre and steradian at these angles, less
    // towards the back, and blue light more than red.
    for (const Case& c :
         {Case{&MainForm::inst2, "vsf_cal_info.txt", sim::SensorModel::Vsf, kViewVsfBeta, 3},
          Case{&MainForm::inst6, "tria_cal_info.txt", sim::SensorModel::Tria, kViewTriaBeta, 9}}) {
        SCOPED_TRACE(c.file);
        (program.ctx.main.*c.instrument).Click();
        LoadExample(c.file);
        ExpectSavedAgainUnchanged(c.file);
        StreamFrom(c.model, c.view);
        ASSERT_TRUE(program.dialogs.Messages().empty());
        for (int row = 1; row <= c.rows; ++row) {
            EXPECT_GT(Output(row), 0.0005) << row;
            EXPECT_LT(Output(row), 0.005) << row;
        }
        EXPECT_GT(Output(1), Output(c.rows));
    }
}

}  // namespace
}  // namespace zan
