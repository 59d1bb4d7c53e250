#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "conversion/tria_conversion.h"

namespace zan {
namespace {

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

struct WalkCase {
    const char* name;
    std::string data;
    std::vector<std::string> expected;
};

class RecordWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(RecordWalk, WritesTheExpectedLines) {
    Lines out;
    const ConversionOutcome outcome = Convert(GetParam().data, out);
    ASSERT_FALSE(outcome.problem) << Describe(*outcome.problem);
    ASSERT_FALSE(out.lines.empty());
    EXPECT_EQ(out.lines[0], kConvertedHeading);
    EXPECT_EQ(std::vector<std::string>(out.lines.begin() + 1, out.lines.end()),
              GetParam().expected);
    EXPECT_EQ(outcome.records, static_cast<long long>(GetParam().expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Tria, RecordWalk,
    ::testing::Values(
        WalkCase{"ThreeSensorsAndVoltageLeaveTheOtherColumnsEmpty", kBgr + "\r\n", {kBgrOut}},
        WalkCase{"SlotLettersDecideTheColours",
                 "TRIA-0042 RBGVNNN\t12:00:00\t" + kCounts + "\t12.5\r\n",
                 {"12:00:00\t 5\t 1006\t 2007\t8\t 3009\t 4010\t 5011\t12\t 6001\t 7002\t 8003\t"
                  "4\t12.5\t\t\t"}},
        WalkCase{"HeaderShorterThanSeventeenIsSkipped",
                 "Logger download\r\nTRIA BGRVNNN\t12:00:00\t" + kCounts + "\t12.5\r\n" + kBgr,
                 {kBgrOut}},
        WalkCase{"SeveralRecordsOnOneLine", kBgr + "\t" + kBgr + "\r\n", {kBgrOut, kBgrOut}},
        WalkCase{"CommaSplitsALine", kBgr + "," + kBgr + "\r\n", {kBgrOut, kBgrOut}},
        WalkCase{"LaterSlotOfTheSameLetterCounts",
                 "TRIA-0042 BBNVNNN\t12:00:00\t1\t2\t3\t4\t5\t6\t7\t8\t12.5\r\n",
                 {"12:00:00\t 5\t 1006\t 2007\t8\t\t\t\t\t\t\t\t\t12.5\t\t\t"}},
        WalkCase{"OptionalFieldsCarryOverAndAbsentColoursStayEmpty",
                 "TRIA-0042 BGRVPAA\t12:00:00\t" + kCounts +
                     "\t12.5\t10.2\t0.1\t0.2\r\n"
                     "TRIA-0042 NGNNNNN\t12:00:01\t5\t6\t7\t8\r\n",
                 {"12:00:00\t 1\t 1002\t 2003\t4\t 3005\t 4006\t 5007\t8\t 6009\t 7010\t 8011\t12\t"
                  "12.5\t10.2\t0.1\t0.2",
                  "12:00:01\t\t\t\t\t 3005\t 4006\t 5007\t8\t\t\t\t\t12.5\t10.2\t0.1\t0.2"}}),
    [](const auto& info) { return std::string(info.param.name); });

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
