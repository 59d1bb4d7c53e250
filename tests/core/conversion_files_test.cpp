#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "conversion/convert_tool.h"
#include "conversion/converted_file.h"
#include "conversion/field_stream.h"
#include "conversion/tria_conversion.h"
#include "core/file_bytes.h"
#include "core/text_file.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(ZANHOST_SOURCE_DIR) / "examples";

struct FieldAt {
    std::string text;
    long long line;
    int firstField;
    bool operator==(const FieldAt& o) const {
        return text == o.text && line == o.line && firstField == o.firstField;
    }
};

std::vector<FieldAt> StreamFields(const std::string& content, size_t blockSize) {
    std::istringstream in(content);
    FieldStream stream(in, "f.txt", blockSize);
    std::vector<FieldAt> fields;
    while (stream.Next())
        fields.push_back({std::string(stream.Text()), stream.Line(), stream.FirstField()});
    return fields;
}

TEST(FieldStreamReading, ReadsTheFieldsTheWholeFileReaderReadsWhateverTheBlockSize) {
    const std::vector<std::string> contents = {"a\tb\r\nc,d\r\n",
                                               "a\r\n\r\nb",
                                               "a\rb\nc\r\n",
                                               "  x, \"q,\r\nr\" tail\r\nz",
                                               "a,",
                                               "a,\r\n",
                                               "\"open",
                                               "e\r\n   ",
                                               ""};
    for (const std::string& content : contents) {
        std::vector<std::string> expected;
        for (FieldReader reader(content); !reader.AtEnd();) expected.push_back(reader.ReadField());
        for (size_t block : {size_t{1}, size_t{2}, size_t{3}, size_t{64}}) {
            std::vector<std::string> texts;
            for (const FieldAt& f : StreamFields(content, block)) texts.push_back(f.text);
            EXPECT_EQ(texts, expected) << '"' << content << "\" in blocks of " << block;
        }
    }
    EXPECT_EQ(StreamFields("a\tb,c\td\te,f\r\n\ng\r\"h\ni\"\r\nj", 2),
              (std::vector<FieldAt>{{"a\tb", 1, 1},
                                    {"c\td\te", 1, 3},
                                    {"f", 1, 6},
                                    {"", 2, 1},
                                    {"g", 3, 1},
                                    {"h\ni", 4, 1},
                                    {"j", 6, 1}}));
}

TEST(FieldStreamReading, RefusesAZeroByteAndALineLongerThanAnyText) {
    try {
        StreamFields(std::string("ok\r\nbin\0ary", 11), 4);
        FAIL();
    } catch (const FileProblemError& e) {
        EXPECT_EQ(e.Problem().kind, ProblemKind::NotText);
        EXPECT_STREQ(e.what(), "f.txt: line 2: holds a zero byte, so this is not a text file");
    }
    EXPECT_THROW(StreamFields(std::string(FieldStream::kLongestField + 1, 'x'), 4096),
                 FileProblemError);
}

class DeviceFiles : public ::testing::Test {
  protected:
    DeviceTable Read(const std::string& content) {
        std::istringstream in(content);
        FieldStream stream(in, "device.txt");
        return ReadDeviceFile(stream);
    }
    std::string Problem(const std::string& content) {
        try {
            Read(content);
        } catch (const FileProblemError& e) {
            return e.what();
        }
        return "no problem";
    }
    std::string Lines(int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "B100\t" + std::to_string(i) + ".5\t" + std::to_string(-i) + "\r\n";
        return text;
    }
    const std::string header = "TRIA 0042\r\nSerial\r\nDate\r\nChannel\tScaling\tOffset\r\n";
};

TEST_F(DeviceFiles, ReadsNineChannelsInFileOrder) {
    const DeviceTable table = Read("ZAN TRIA\r\nSerial\r\nDate\r\nHeading\r\n" + Lines(9) + "junk");
    EXPECT_EQ(table[0].scaling, 0.5);
    EXPECT_EQ(table[8].scaling, 8.5);
    EXPECT_EQ(table[8].offset, -8);
}

TEST_F(DeviceFiles, SaysWhatIsWrongWithTheFile) {
    EXPECT_EQ(Problem("ZAN VSF\r\n" + Lines(12)),
              "device.txt: line 1: \"ZAN VSF\" is not the title of a TRIA device file, which "
              "begins with \"ZAN TRIA\" or \"TRIA\"");
    EXPECT_EQ(Problem(header + Lines(5)), "device.txt: ends after 5 of its 9 coefficient lines");
    EXPECT_EQ(Problem(header + Lines(4) + "G125 0.5 1\r\n" + Lines(4)),
              "device.txt: line 9, field 2: \"\" is not a number");
    EXPECT_EQ(Problem(header + Lines(2) + "B150\t1,5\t0\r\n" + Lines(6)),
              "device.txt: line 7, field 3: \"\" is not a number");
}

TEST(ConvertedFiles, ExampleConvertsToTheExampleResultByteForByte) {
    const fs::path out =
        fs::temp_directory_path() / ("zan_converted_" + std::to_string(::getpid()));
    const ConversionOutcome outcome =
        ConvertTriaFile(ReadDeviceFile((kExamples / "tria_device.txt").string()),
                        {(kExamples / "tria_device.txt").string(),
                         (kExamples / "tria_data.txt").string(), out.string()});
    EXPECT_FALSE(outcome.problem);
    EXPECT_EQ(test::ReadBytes(out), test::ReadBytes(kExamples / "tria_converted.txt"));
    fs::remove(out);
}

TEST(ConvertedFiles, WriteFailureIsReportedOnceWithTheFilesName) {
    ConvertedFile full("/dev/full");
    try {
        full.WriteLine("a line");
        FAIL();
    } catch (const FileProblemError& e) {
        EXPECT_EQ(e.Problem().kind, ProblemKind::WriteFailed);
        EXPECT_STREQ(e.what(), "/dev/full: No space left on device after 0 lines");
    }
    EXPECT_NO_THROW(full.WriteLine("the next line"));
    EXPECT_NO_THROW(full.Close());
}

TEST(ConvertedFiles, ConvertedFileThatIsTheDataFileIsRefusedAndLeftAlone) {
    const fs::path data = fs::temp_directory_path() / ("zan_data_" + std::to_string(::getpid()));
    test::WriteBytes(data, "TRIA-0042 BNNNNNN\t1\t300\t1\t3\t4\r\n");
    const ConversionOutcome outcome =
        ConvertTriaFile(DeviceTable{}, {"device.txt", data.string(), data.string()});
    ASSERT_TRUE(outcome.problem);
    EXPECT_EQ(outcome.problem->kind, ProblemKind::SameFile);
    EXPECT_EQ(test::ReadBytes(data), "TRIA-0042 BNNNNNN\t1\t300\t1\t3\t4\r\n");
    fs::remove(data);
}

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunConvertTool(args, out, err, false);
    return {status, out.str(), err.str()};
}

TEST(ConvertTool, AnswersHelpVersionAndWrongUsageWithTheRightStatus) {
    EXPECT_EQ(RunTool({"--help"}).status, 0);
    EXPECT_NE(RunTool({"--help"}).out.find("Usage: zanhost-convert"), std::string::npos);
    EXPECT_EQ(RunTool({"--version"}).out, "zanhost-convert 4.1.4\n");
    const ToolRun unknown = RunTool({"--fast", "a", "b", "c"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err,
              "zanhost-convert: unknown option '--fast'\n"
              "Try 'zanhost-convert --help' for more information.\n");
    EXPECT_EQ(RunTool({"a", "b"}).status, 2);
}

TEST(ConvertTool, FailureNamesTheFileLineAndFieldAndExitsWithOne) {
    const fs::path dir = fs::temp_directory_path() / ("zan_tool_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    test::WriteBytes(dir / "data.txt",
                     "TRIA-0042 BNNNNNN\t1\t300\t1\t3\t4\r\nTRIA-0042 BNNNNNN\t2\t\t1\t3\t4\r\n");
    const std::string device = (kExamples / "tria_device.txt").string();
    const ToolRun run = RunTool({device, (dir / "data.txt").string(), (dir / "out.txt").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "zanhost-convert: " + (dir / "data.txt").string() +
                           ": line 2, field 3: \"\" is not a number\nThe 1 records converted "
                           "before it are in " +
                           (dir / "out.txt").string() + ".\n");
    EXPECT_EQ(RunTool({device, dir.string(), (dir / "out.txt").string()}).err,
              "zanhost-convert: " + dir.string() + ": is a folder\n");
    EXPECT_EQ(RunTool({(dir / "data.txt").string(), device, (dir / "out.txt").string()}).status, 1);
    fs::remove_all(dir);
}

TEST(ConvertTool, ProgressBarShowsTheShareDone) {
    EXPECT_EQ(ProgressBar(50ull << 20, 100ull << 20),
              "[###############               ]  50% of 100 MB");
    EXPECT_EQ(ProgressBar(7, 7), "[##############################] 100% of 0 MB");
}

}  // namespace
}  // namespace zan
