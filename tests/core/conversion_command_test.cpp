#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "core/file_bytes.h"
#include "driver/driver.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(ZANHOST_SOURCE_DIR) / "examples";

class ProcessDataFile : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir);
        program.Load();
        program.ctx.progress.Form3.Observe([this](Property p) {
            if (p == Property::Visible)
                form3Shown.push_back(
                    {program.ctx.progress.Form3.Visible(), program.pump.Seconds()});
        });
    }
    void TearDown() override { fs::remove_all(dir); }

    void Click(const std::string& device, const std::string& data, const std::string& out) {
        for (const std::string& path : {device, data, out})
            if (!path.empty()) program.dialogs.AnswerFile(path);
        start = program.pump.Seconds();
        program.ctx.main.tria1.Click();
    }

    const fs::path dir = fs::temp_directory_path() / ("zan_tria1_" + std::to_string(::getpid()));
    const std::string device = (kExamples / "tria_device.txt").string();
    const std::string data = (kExamples / "tria_data.txt").string();
    const std::string out = (dir / "converted.txt").string();
    VirtualProgram program;
    std::vector<std::pair<bool, double>> form3Shown;
    double start = 0;
};

TEST_F(ProcessDataFile, AsksForThreeFilesWaitsAndConvertsBehindTheProgressWindow) {
    program.ctx.main.CommonDialog1.filter = "Text Files (*.txt)|*.txt|";
    Click(device, data, out);
    const auto& requests = program.dialogs.FileRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].request.title, "Select a Device File");
    EXPECT_EQ(requests[1].request.title, "Select a Data File");
    EXPECT_EQ(requests[2].request.title, "Save Converted File as");
    EXPECT_FALSE(requests[1].save);
    EXPECT_TRUE(requests[2].save);
    EXPECT_EQ(requests[1].request.initialName, device);
    EXPECT_EQ(requests[2].request.initialName, data);
    EXPECT_EQ(requests[2].request.filter, "Text Files (*.txt)|*.txt|");
    EXPECT_NEAR(program.pump.Seconds() - start, 2.0, 0.01);
    ASSERT_EQ(form3Shown.size(), 2u);
    EXPECT_TRUE(form3Shown[0].first);
    EXPECT_FALSE(form3Shown[1].first);
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Conversion Complete");
    EXPECT_EQ(program.dialogs.Messages()[0].text, "TRIA File has been successfully converted.");
    EXPECT_EQ(test::ReadBytes(out), test::ReadBytes(kExamples / "tria_converted.txt"));
}

TEST_F(ProcessDataFile, CancellingAnyDialogEndsTheCommandWithoutWriting) {
    Click("", "", "");
    Click(device, "", "");
    Click(device, data, "");
    EXPECT_EQ(program.dialogs.FileRequests().size(), 6u);
    EXPECT_TRUE(program.dialogs.Messages().empty());
    EXPECT_TRUE(form3Shown.empty());
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ProcessDataFile, WrongDeviceTitleIsReportedBeforeTheDataIsAskedFor) {
    Click((kExamples / "tria_cal_info.txt").string(), "", "");
    EXPECT_EQ(program.dialogs.FileRequests().size(), 1u);
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Error");
    EXPECT_NE(program.dialogs.Messages()[0].text.find("is not the title of a TRIA device file"),
              std::string::npos);
}

TEST_F(ProcessDataFile, BadCountShowsAnErrorKeepsTheLinesBeforeAndHidesTheProgressWindow) {
    const std::string bad = (dir / "data.txt").string();
    test::WriteBytes(bad, "TRIA-0042 BNNNNNN\t1\t300\t1\t3\t4\t\r\n");
    Click(device, bad, out);
    ASSERT_EQ(program.dialogs.Messages().size(), 1u);
    EXPECT_EQ(program.dialogs.Messages()[0].title, "Error");
    EXPECT_EQ(
        program.dialogs.Messages()[0].text,
        bad + ": line 1, field 8: \"\" is not a number\nThe 1 records converted before it are in " +
            out + ".");
    EXPECT_FALSE(program.ctx.progress.Form3.Visible());
    const std::string converted = test::ReadBytes(out);
    EXPECT_EQ(std::count(converted.begin(), converted.end(), '\n'), 2);
}

TEST(ProcessDataFileDriver, MenuStaysDisabledButTheDriverReachesTheCommand) {
    std::ostringstream output;
    Driver driver(output);
    const std::string out =
        (fs::temp_directory_path() / ("zan_driver_" + std::to_string(::getpid()))).string();
    std::istringstream script(
        "load\nprint tria\nanswer " + (kExamples / "tria_device.txt").string() + "\nanswer " +
        (kExamples / "tria_data.txt").string() + "\nanswer " + out + "\nclick tria1\n");
    EXPECT_EQ(driver.Run(script), 0);
    EXPECT_NE(output.str().find("tria: caption \"TRIA Data Handling\" visible true enabled false"),
              std::string::npos);
    EXPECT_NE(output.str().find(
                  "message \"Conversion Complete\": TRIA File has been successfully converted."),
              std::string::npos);
    EXPECT_EQ(test::ReadBytes(out), test::ReadBytes(kExamples / "tria_converted.txt"));
    fs::remove(out);
}

}  // namespace
}  // namespace zan
