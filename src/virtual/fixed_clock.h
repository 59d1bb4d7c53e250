#pragma once
#include "platform/system_clock.h"

namespace zan {

// A wall clock that shows what the test sets.
class FixedClock : public SystemClock {
  public:
    LocalDateTime Now() override { return now; }
    std::string ShortDatePattern() override { return pattern; }
    std::string QuickSetupPath() override { return quickSetupPath; }
    std::string PreferencesPath() override { return preferencesPath; }

    LocalDateTime now{2026, 12, 6, 12, 0, 0};
    std::string pattern = "M/d/yyyy";
    // Empty paths name no file: reads find nothing, writes fail.
    std::string quickSetupPath;
    std::string preferencesPath;
};

}  // namespace zan
