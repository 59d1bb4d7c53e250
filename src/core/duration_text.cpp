#include "core/duration_text.h"

namespace zan {
namespace {

constexpr long long kMinute = 60;
constexpr long long kHour = 60 * kMinute;
constexpr long long kDay = 24 * kHour;

std::string Count(long long n, const char* unit) { return std::to_string(n) + " " + unit; }

}  // namespace

std::string DurationText(long long seconds) {
    const long long s = seconds < 0 ? -seconds : seconds;
    if (s < kMinute) return Count(s, "s");
    if (s < kHour) return Count(s / kMinute, "min") + " " + Count(s % kMinute, "s");
    if (s < kDay) return Count(s / kHour, "h") + " " + Count(s % kHour / kMinute, "min");
    return Count(s / kDay, s / kDay == 1 ? "day" : "days") + " " + Count(s % kDay / kHour, "h");
}

}  // namespace zan
