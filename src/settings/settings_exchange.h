#pragma once
#include <array>

namespace zan {

struct Context;
class CommandButton;

// Holds the logger line for one retrieval or application. Waits dispatch
// events, so a second click could otherwise start another exchange whose
// commands would interleave with this one's on the wire; while a hold is
// active the frame's sending buttons are disabled and a second hold fails.
class SettingsExchange {
  public:
    explicit SettingsExchange(Context& ctx);
    ~SettingsExchange();
    SettingsExchange(const SettingsExchange&) = delete;
    SettingsExchange& operator=(const SettingsExchange&) = delete;

    // False when another exchange holds the line; this one must not send.
    bool Acquired() const { return acquired_; }

  private:
    Context& ctx_;
    // The frame's buttons that send to the sensor: Retrieve, Apply, Interrupt Auto Start.
    std::array<CommandButton*, 3> buttons_;
    bool acquired_ = false;
    std::array<bool, 3> wasEnabled_{};
};

}  // namespace zan
