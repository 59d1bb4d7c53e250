#pragma once
#include <string>

namespace zan {

struct LocalDateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

// Wall-clock date and time and facts about the running program.
class SystemClock {
public:
    virtual ~SystemClock() = default;
    virtual LocalDateTime Now() = 0;
    // The user's short date pattern, such as "M/d/yyyy".
    virtual std::string ShortDatePattern() = 0;
};

}  // namespace zan
