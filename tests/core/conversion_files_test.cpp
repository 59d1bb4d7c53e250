#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "conversion/convert_tool.h"
#include "conversion/tria_conversion.h"
#include "core/file_bytes.h"
#include "core/test_support.h"
#include "core/text_file.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

// Each field as "text@line.firstField".
std::vector<std::string> StreamFields(const std::string& content, size_t blockSize,
                                      FieldRules rules = kConversionFieldRules) {
    std::istringstream in(content);
    FieldStream stream(in, "f.txt", rules, blockSize);
    std::vector<std::string> fields;
    while (stream.Next())
        fields.push_back(std::string(stream.Text()) + "@" + std::to_string(stream.Line()) + "." +
                         std::to_string(stream.FirstField()));
    return fields;
}

std::string ConversionProblem(const std::string& data) {
    struct Discard : LineSink {
        void WriteLine(std::string_view) override {}
    } discard;
    std::istringstream in(data);
    const ConversionOutcome outcome = ConvertTriaData(in, "f.txt", DeviceTable{}, discard);
    return outcome.problem ? Describe(*outcome.problem) : "no problem";
}

TEST(FieldStreamReading, ReadsTheFieldsTheWholeFileReaderReadsWhateverTheBlockSize) {
    for (const std::string content :
         {"a\tb\r\nc,d\r\n", "a\r\n\r\nb", "a\rb\nc\r\n", "a,\r\n", "  x, \"q,\r\nr\" tail\r\nz",
          "a,", "\"open", "e\r\n  ", ""}) {
        std::string expected;
        for (FieldReader reader(content); !reader.AtEnd();) expected += reader.ReadField() + "|";
        for (size_t block : {1, 2, 3, 64}) {
            std::string texts;
            for (const std::string& f : StreamFields(content, block))
                texts += f.substr(0, f.rfind('@')) + "|";
            EXPECT_EQ(texts, expected) << '"' << content << "\" in blocks of " << block;
        }
    }
    EXPECT_EQ(StreamFields("a\tb,c\td\te,f\r\n\ng\r\"h\ni\"\r\nj", 2),
              (std::vector<std::string>{"a\tb@1.1", "c\td\te@1.3", "f@1.6", "@2.1", "g@3.1",
                                        "h\ni@4.1", "j@6.1"}));
    // The Cal Info file and the raw log count lines at line feeds, as an editor
    // shows them, and keep a later zero byte as text.
    EXPECT_EQ(StreamFields(std::string("a\r\r\nb\r\"c\r\nd\"\r\ne\0f", 17), 2, FieldRules{}),
              (std::vector<std::string>{"a@1.1", "@1.1", "b@2.1", "c\r\nd@2.1",
                                        std::string("e\0f@4.1", 7)}));
    EXPECT_EQ(ConversionProblem(std::string("ok\r\nbin\0ary", 11)),
              "f.txt: line 2: holds a zero byte, so this is not a text file");
    EXPECT_EQ(ConversionProblem(std::string(kConversionFieldRules.longestField + 1, 'x')),
              "f.txt: line 1: is longer than 1048576 characters, so this is not a text file");
}

class ConvertTool : public ::testing::Test {
  protected:
    int Run(const std::string& dataFile, const std::string& out) {
        std::ostringstream err;
        const int status = RunConvertTool({device, dataFile, out}, err, false);
        output = err.str();
        return status;
    }
    test::TempFolder folder;
    const fs::path& dir = folder.path;
    const std::string device = std::string(ZANHOST_SOURCE_DIR) + "/examples/tria_device.txt";
    const std::string data = (dir / "data.txt").string();
    std::string output;
};

TEST_F(ConvertTool, FailureNamesTheFileLineAndFieldAndLeavesTheDataFileAlone) {
    const std::string record = "TRIA-0042 BNNNNNN\t1\t300\t1\t3\t4\r\n";
    test::WriteBytes(data, record + "TRIA-0042 BNNNNNN\t2\t\t1\t3\t4\r\n");
    const std::string out = (dir / "out.txt").string();
    EXPECT_EQ(Run(data, out), 1);
    EXPECT_EQ(output.rfind("zanhost-convert: " + data + ": line 2, field 3: ", 0), 0u);
    EXPECT_EQ(Run(dir.string(), out), 1);
    EXPECT_EQ(output, "zanhost-convert: " + dir.string() + ": is a folder\n");
    EXPECT_EQ(Run(data, data), 1);
    EXPECT_EQ(test::ReadBytes(data).substr(0, record.size()), record);
    EXPECT_EQ(Run(data, "/dev/full"), 1);
    EXPECT_EQ(output, "zanhost-convert: /dev/full: No space left on device after 0 lines\n");
}

}  // namespace
}  // namespace zan
