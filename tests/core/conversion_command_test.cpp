#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "conversion/convert_tool.h"
#include "conversion/tria_conversion.h"
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
    // Each dialog as "title, open or save: initial name".
    std::vector<std::string> asked;
    for (const auto& a : program.dialogs.FileRequests())
        asked.push_back(a.request.title + (a.save ? ", save: " : ", open: ") +
                        a.request.initialName);
    EXPECT_EQ(asked, (std::vector<std::string>{
                         "Select a Device File, open: ", "Select a Data File, open: " + kDevice,
                         "Save Converted File as, save: " + kData}));
    EXPECT_EQ(program.dialogs.FileRequests().back().request.filter, "Text Files (*.txt)|*.txt|");
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

// Every failure names the file, the line and the field; a file of another
// kind is refused before anything is written, saying what it is; a file's
// control bytes are quoted escaped.
TEST(ConvertTool, FailureNamesTheFileLineAndFieldOrWhatTheFileIsAndWritesNothingBefore) {
    test::TempFolder dir;
    const std::string data = (dir / "data.txt").string(), out = (dir / "out.txt").string();
    std::string output, summary;
    const auto run = [&](const std::string& dataFile, const std::string& to) {
        std::ostringstream said, err;
        const int status = RunConvertTool({kDevice, dataFile, to}, said, err, false);
        output = err.str();
        summary = said.str();
        return status;
    };
    const std::string record = "TRIA-0042 BNNNNNN\t1\t300\t1\t3\t4\r\n";
    const std::string kept = "Created on 12-06-2026\r\nLocation : raw.txt\r\n";
    const std::string counts = "TRIA-0042 BNNNNNN\t1\t";
    const std::pair<std::string, std::string> cases[] = {
        {std::string("ok\r\nbin\0ary", 11), ", line 2: holds binary data, not a TRIA data file."},
        {std::string(kConversionFieldRules.longestField + 1, 'x'),
         ": line 1: is longer than 1048576 characters, so this is not a text file"},
        {kept + "Header\tTime\tVin\r\nEOF\r\n",
         " is a raw log, not a TRIA data file: play it back with Open Raw File or decode it with "
         "zanhost-replay --instrument TRIA."},
        {kept + "Time\tVin\r\nEOF\r\n",
         " is a recording file, not a TRIA data file: its values are decoded already."},
        {kept + "Date\tTime\tOutput\r\nEOF\r\n",
         " is a raw log or a recording file (it begins with \"Created on\"), not a TRIA data "
         "file: a raw log is decoded with zanhost-replay."},
        {test::ReadBytes(kDevice),
         " is a TRIA device file, not a TRIA data file: give it as the device file."},
        {counts + "nan\t1\t3\t4\r\n", ": line 1, field 3: \"nan\" is not a finite number"},
        {counts + "1\t-inf\t3\t4\r\n", ": line 1, field 4: \"-inf\" is not a finite number"},
        {counts + "1e999\t1\t3\t4\r\n", ": line 1, field 3: \"1e999\" is not a number"},
        {counts + "\x1b[2J\x9b\t1\t3\t4\r\n",
         ": line 1, field 3: \"\\x1b[2J\\x9b\" is not a number"}};
    for (const auto& [bytes, told] : cases) {
        test::WriteBytes(data, bytes);
        test::WriteBytes(out, "kept\r\n");
        EXPECT_EQ(run(data, out), 1);
        EXPECT_EQ(output, "zanhost-convert: " + data + told + "\n");
        if (told[0] == ' ') {
            EXPECT_EQ(test::ReadBytes(out), "kept\r\n");
        }
    }
    EXPECT_EQ(run(dir.path.string(), out), 1);
    EXPECT_EQ(output,
              "zanhost-convert: " + dir.path.string() + " is a folder, not a TRIA data file.\n");
    test::WriteBytes(data, record);
    EXPECT_EQ(run(data, "/dev/full"), 1);
    EXPECT_EQ(output, "zanhost-convert: /dev/full: No space left on device after 0 lines\n");
    // Done, the summary goes to standard output, terminal or not.
    EXPECT_EQ(run(data, out), 0);
    EXPECT_EQ(output, "");
    EXPECT_EQ(summary, "1 records of " + data + " converted into " + out + "\n");
}

struct Lines : LineSink {
    void WriteLine(std::string_view text) override { lines.emplace_back(text); }
    std::vector<std::string> lines;
};

// Scaling 1 and offset -1000 x channel: a count c on channel k is written as
// c + 1000 k, so every value tells which coefficients it met.
DeviceTable ChannelMarkingDevice() {
    DeviceTable device;
    for (size_t k = 0; k < device.size(); ++k) device[k] = {1, -1000.0 * k};
    return device;
}

const std::string kCounts = "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12";
const std::string kBgr = "TRIA-0042 BGRVNNN\t12:00:00\t" + kCounts + "\t12.5";
const std::string kBgrOut =
    "12:00:00\t 1\t 1002\t 2003\t4\t 3005\t 4006\t 5007\t8\t 6009\t 7010\t 8011\t12\t12.5\t\t\t";

ConversionOutcome Convert(const std::string& data, Lines& out) {
    std::istringstream in(data);
    return ConvertTriaData(in, "data.txt", ChannelMarkingDevice(), out);
}

// A spreadsheet finds a name over every field.
TEST(RecordWalk, WritesTheHeadingAndALineOfSixteenTabsPerRecord) {
    const std::tuple<const char*, std::string, std::vector<std::string>> cases[] = {
        {"ThreeSensorsAndVoltageLeaveTheOtherColumnsEmpty", kBgr + "\r\n", {kBgrOut}},
        {"SlotLettersDecideTheColours",
         "TRIA-0042 RBGVNNN\t12:00:00\t" + kCounts + "\t12.5\r\n",
         {"12:00:00\t 5\t 1006\t 2007\t8\t 3009\t 4010\t 5011\t12\t 6001\t 7002\t 8003\t"
          "4\t12.5\t\t\t"}},
        {"HeaderShorterThanSeventeenIsSkipped",
         "Logger download\r\nTRIA BGRVNNN\t12:00:00\t" + kCounts + "\t12.5\r\n" + kBgr,
         {kBgrOut}},
        {"SeveralRecordsOnOneLine", kBgr + "\t" + kBgr + "\r\n", {kBgrOut, kBgrOut}},
        {"CommaSplitsALine", kBgr + "," + kBgr + "\r\n", {kBgrOut, kBgrOut}},
        // Counts a logger does not write but a person might: read as the number they are.
        {"CountsWithBlanksSignsDecimalsOrSixteenDigitsAreTheirValues",
         "TRIA-0042 BGNNNNN\t12:00:00\t 7\t0000000000000008\t1.5e1\t4\t5 \t+6\t7\t8\r\n",
         {"12:00:00\t 7\t 1008\t 2015\t4\t 3005\t 4006\t 5007\t8\t\t\t\t\t\t\t\t"}},
        {"LaterSlotOfTheSameLetterCounts",
         "TRIA-0042 BBNVNNN\t12:00:00\t1\t2\t3\t4\t5\t6\t7\t8\t12.5\r\n",
         {"12:00:00\t 5\t 1006\t 2007\t8\t\t\t\t\t\t\t\t\t12.5\t\t\t"}},
        {"OptionalFieldsCarryOverAndAbsentColoursStayEmpty",
         "TRIA-0042 BGRVPAA\t12:00:00\t" + kCounts +
             "\t12.5\t10.2\t0.1\t0.2\r\n"
             "TRIA-0042 NGNNNNN\t12:00:01\t5\t6\t7\t8\r\n",
         {"12:00:00\t 1\t 1002\t 2003\t4\t 3005\t 4006\t 5007\t8\t 6009\t 7010\t 8011\t12\t"
          "12.5\t10.2\t0.1\t0.2",
          "12:00:01\t\t\t\t\t 3005\t 4006\t 5007\t8\t\t\t\t\t12.5\t10.2\t0.1\t0.2"}}};
    for (const auto& [name, data, expected] : cases) {
        Lines out;
        const ConversionOutcome outcome = Convert(data, out);
        ASSERT_FALSE(outcome.problem) << name << ": " << Describe(*outcome.problem);
        ASSERT_FALSE(out.lines.empty()) << name;
        EXPECT_EQ(out.lines[0], kConvertedHeading) << name;
        for (const std::string& line : out.lines)
            EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 16) << name << ": " << line;
        EXPECT_EQ(std::vector<std::string>(out.lines.begin() + 1, out.lines.end()), expected)
            << name;
        EXPECT_EQ(outcome.records, static_cast<long long>(expected.size())) << name;
    }
}

TEST(RecordWalkProgress, ProgressIsToldPerBlockAndCanCancel) {
    std::string data;
    while (data.size() < 3 * FieldStream::kBlockSize) data += kBgr + "\r\n";
    std::istringstream in(data);
    Lines out;
    std::vector<unsigned long long> told;
    const ConversionOutcome outcome =
        ConvertTriaData(in, "data.txt", ChannelMarkingDevice(), out, [&](const auto& p) {
            told.push_back(p.bytesRead);
            return told.size() < 2;
        });
    EXPECT_TRUE(outcome.cancelled);
    EXPECT_EQ(told, (std::vector<unsigned long long>{FieldStream::kBlockSize,
                                                     2 * FieldStream::kBlockSize}));
}

}  // namespace
}  // namespace zan
