#pragma once
#include <string>

namespace zan {

struct LocalDateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

// A date in a short date pattern ("M/d/yyyy", "dd.MM.yy", "MM-dd-yyyy"):
// d and M runs of two or more give two digits, y runs of one or two the last
// two digits of the year, longer runs all four; other characters stand as they are.
std::string FormatShortDate(const LocalDateTime& date, const std::string& pattern);

}  // namespace zan
