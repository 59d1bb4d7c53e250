#pragma once
#include <array>
#include <stdexcept>
#include <string>

namespace zan {

struct Context;
class Control;
class ProgressBar;

// One conversation with the sensor at a time, for the whole program. An
// exchange waits with Delay, which dispatches events, so a click could
// otherwise start a second exchange whose commands interleave with this
// one's on the wire (a firmware query's DTR pulse in the middle of a settings
// application). While an exchange holds the line every button that starts
// one is disabled, and a second exchange is refused: Acquired() is false and
// its handler must send nothing.
// The port was lost while the exchange ran. The loss has been told to the
// user once already; the exchange's handler ends quietly, with no box of
// its own.
class LinkLost : public std::runtime_error {
  public:
    LinkLost() : std::runtime_error("the port was lost during the exchange") {}
};

class Exchange {
  public:
    // The bar, when given, is the one this exchange's steps move.
    explicit Exchange(Context& ctx, ProgressBar* bar = nullptr);
    ~Exchange();
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    bool Acquired() const { return acquired_; }

    // A command, written as bare text. Throws LinkLost once the port was lost.
    void Send(const std::string& text);
    // A fixed wait, while the acquisition loop gathers the reply into the
    // receive lists. Throws LinkLost when the port was lost before its end.
    void Wait(double seconds);
    // One step of a script: the command, the bar moved on by step, the wait.
    void SendThenWait(const std::string& text, double step, double seconds);
    void SetProgress(double value);
    void AdvanceProgress(double step);

    // The buttons and menu items that start an exchange.
    static constexpr size_t kStarters = 10;

  private:
    Context& ctx_;
    ProgressBar* bar_;
    std::array<Control*, kStarters> starters_;
    std::array<bool, kStarters> wasEnabled_{};
    bool acquired_ = false;
    int lossesAtStart_ = 0;

    void ThrowIfLinkLost() const;
};

}  // namespace zan
