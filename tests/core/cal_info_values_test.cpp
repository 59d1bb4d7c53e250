#include <gtest/gtest.h>

#include <sstream>

#include "calibration/cal_info_file.h"
#include "core/field_stream.h"
#include "state/instruments.h"

namespace zan {
namespace {

const std::string kHeader =
    "ZAN cal.txt\r\nCreated on: 12/6/2026\r\n\r\r\nAngle\tScaling\tOffset\r\n";

// What a VSF file whose first data line is the given one gives: its pair and
// each warning as "line: text".
struct BadValue {
    std::string line;
    CalInfoPair first;
    std::vector<std::string> warnings;
};

TEST(CalInfoValues, AnUnreadableValueReadsAsZeroWithAWarningOnItsLine) {
    const BadValue cases[] = {
        {"100\t0.001\t50", {0.001, 50}, {}},
        {"100\tx\t50", {0, 50}, {"5: no coefficients in \"100\tx\t50\""}},
        {"100\t1e999\t50", {0, 50}, {"5: no coefficients in \"100\t1e999\t50\""}},
        {"100\t2\t-1e999", {2, 0}, {"5: no coefficients in \"100\t2\t-1e999\""}},
    };
    for (const BadValue& c : cases) {
        FieldStream fields(std::make_unique<std::istringstream>(kHeader + c.line +
                                                                "\r\n125\t2\t10\r\n150\t3\t60\r\n"),
                           "cal.txt");
        const CalInfoValues values = ParseCalInfo(fields, kVsf);
        ASSERT_EQ(values.pairs.size(), 3u) << c.line;
        EXPECT_EQ(values.pairs[0].scaling, c.first.scaling) << c.line;
        EXPECT_EQ(values.pairs[0].offset, c.first.offset) << c.line;
        std::vector<std::string> warnings;
        for (const CalInfoWarning& w : values.warnings)
            warnings.push_back(std::to_string(w.line) + ": " + w.text);
        EXPECT_EQ(warnings, c.warnings) << c.line;
    }
}

}  // namespace
}  // namespace zan
