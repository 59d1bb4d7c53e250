#pragma once
#include <string>

namespace zan {

// A span of whole seconds in the largest two units that say it: "37 s",
// "2 min 5 s", "3 h 0 min", "2 days 4 h". A negative span reads as its size.
std::string DurationText(long long seconds);

}  // namespace zan
