#pragma once
#include "platform/system_clock.h"

namespace zan::ui {

// The computer's clock and the user's date conventions.
class QtSystemClock : public SystemClock {
  public:
    LocalDateTime Now() override;
    std::string ShortDatePattern() override;
};

}  // namespace zan::ui
