#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/file_bytes.h"
#include "core/test_support.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(ZANHOST_SOURCE_DIR) / "examples";
const std::string kDevice = (kExamples / "tria_device.txt").string();
const std::string kData = (kExamples / "tria_data.txt").string();

class ProcessDataFile : public ::testing::Test {
  protected:
    void SetUp() override {
        program.Load();
        program.ctx.progress.Form3.Observe([this](Property p) {
            if (p == Property::Visible) form3Shown.push_back(program.ctx.progress.Form3.Visible());
        });
    }
    void Click(const std::vector<std::string>& answers) {
        for (const std::string& path : answers) program.dialogs.AnswerFile(path);
        start = program.pump.Seconds();
        program.ctx.main.tria1.Click();
    }
    std::string Message(size_t i = 0) {
        const auto& m = program.dialogs.Messages();
        return i < m.size() ? m[i].title + ": " + m[i].text : "none";
    }

    test::TempFolder folder;
    const fs::path& dir = folder.path;
    const std::string out = (dir / "converted.txt").string();
    VirtualProgram program;
    std::vector<bool> form3Shown;
    double start = 0;
};

TEST_F(ProcessDataFile, AsksForThreeFilesWaitsAndConvertsBehindTheProgressWindow) {
    program.ctx.main.CommonDialog1.filter = "Text Files (*.txt)|*.txt|";
    Click({kDevice, kData, out});
    const auto& asked = program.dialogs.FileRequests();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].request.title, "Select a Device File");
    EXPECT_EQ(asked[1].request.title, "Select a Data File");
    EXPECT_EQ(asked[2].request.title, "Save Converted File as");
    EXPECT_TRUE(!asked[1].save && asked[2].save);
    EXPECT_EQ(asked[1].request.initialName, kDevice);
    EXPECT_EQ(asked[2].request.initialName, kData);
    EXPECT_EQ(asked[2].request.filter, "Text Files (*.txt)|*.txt|");
    EXPECT_NEAR(program.pump.Seconds() - start, 2.0, 0.01);
    EXPECT_EQ(form3Shown, (std::vector<bool>{true, false}));
    EXPECT_EQ(Message(), "Conversion Complete: TRIA File has been successfully converted.");
    EXPECT_EQ(test::ReadBytes(out), test::ReadBytes(kExamples / "tria_converted.txt"));
}

TEST_F(ProcessDataFile, CancellingAnyDialogEndsTheCommandWithoutWriting) {
    Click({});
    Click({kDevice});
    Click({kDevice, kData});
    EXPECT_EQ(program.dialogs.FileRequests().size(), 6u);
    EXPECT_EQ(Message(), "none");
    EXPECT_TRUE(form3Shown.empty());
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ProcessDataFile, FailuresShowAnErrorAndKeepTheLinesConvertedBefore) {
    const std::string calInfo = (kExamples / "tria_cal_info.txt").string();
    Click({calInfo});
    EXPECT_EQ(program.dialogs.FileRequests().size(), 1u);
    EXPECT_EQ(Message(), "Error: " + calInfo +
                             ": line 1: \"ZAN examples/tria_cal_info.txt\" is not the title of a "
                             "TRIA device file, which begins with \"ZAN TRIA\" or \"TRIA\"");

    const std::string bad = (dir / "data.txt").string();
    test::WriteBytes(bad, "TRIA-0042 BNNNNNN\t1\t300\t1\t3\t4\t\r\n");
    Click({kDevice, bad, out});
    EXPECT_EQ(Message(1), "Error: " + bad +
                              ": line 1, field 8: \"\" is not a number\nThe 1 records converted "
                              "before it are in " +
                              out + ".");
    EXPECT_EQ(form3Shown, (std::vector<bool>{true, false}));
    const std::string converted = test::ReadBytes(out);
    EXPECT_EQ(std::count(converted.begin(), converted.end(), '\n'), 2);
}

}  // namespace
}  // namespace zan
