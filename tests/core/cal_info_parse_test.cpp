#include <gtest/gtest.h>

#include <sstream>

#include "calibration/cal_info_file.h"
#include "core/field_stream.h"
#include "state/instruments.h"

namespace zan {
namespace {

CalInfoValues Parse(const std::string& text) {
    FieldStream fields(std::make_unique<std::istringstream>(text), "cal.txt");
    return ParseCalInfo(fields, kVsf);
}

const std::string kHeader =
    "ZAN cal.txt\r\nCreated on: 12/6/2026\r\n\r\r\nAngle\tScaling\tOffset\r\n";

TEST(CalInfoParse, GivesThePairsAndTypedWarningsWithTheirLines) {
    const CalInfoValues good = Parse(kHeader + "100\t0.001\t50\r\n125\t2\t10\r\n150\t3\t60\r\n");
    ASSERT_EQ(good.pairs.size(), 3u);
    EXPECT_DOUBLE_EQ(good.pairs[0].scaling, 0.001);
    EXPECT_DOUBLE_EQ(good.pairs[2].offset, 60);
    EXPECT_TRUE(good.warnings.empty());

    const CalInfoValues bad = Parse(kHeader + "100\tx\t50\r\n125\t2\t10\r\n");
    EXPECT_EQ(bad.pairs.size(), 2u);
    ASSERT_EQ(bad.warnings.size(), 2u);
    EXPECT_EQ(bad.warnings[0].kind, CalInfoWarning::Kind::NoNumber);
    EXPECT_EQ(bad.warnings[0].line, 5);
    EXPECT_EQ(bad.warnings[1].kind, CalInfoWarning::Kind::EndedEarly);
    EXPECT_EQ(bad.warnings[1].line, 7);
    EXPECT_EQ(bad.warnings[1].text, "Input past end of file");
    EXPECT_TRUE(bad.EndedEarly());
}

}  // namespace
}  // namespace zan
