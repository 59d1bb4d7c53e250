#pragma once
#include <chrono>
#include <functional>
#include <vector>

#include "platform/event_pump.h"

namespace zan {

// Virtual time: each dispatch advances the clock one step and fires the
// timers that fell due, so waits of seconds run in microseconds and the same
// way every time.
class VirtualPump : public EventPump {
  public:
    explicit VirtualPump(double stepSeconds = 0.001) : step_(stepSeconds) {}
    double Seconds() override { return now_; }
    void DispatchPending() override;
    void AddTimer(double intervalSeconds, std::function<void()> callback) override;
    // Time passes; the timers that fall due meanwhile fire at the next dispatch.
    void Pause(double seconds) override;
    // From now on each step takes its time on the monotonic clock, for a
    // program that talks to a device outside it.
    void FollowRealTime();

    // Queues an event (a click, a key) to run at the next dispatch.
    void Post(std::function<void()> event) { posted_.push_back(std::move(event)); }
    // Dispatches until the given virtual seconds have passed.
    void RunFor(double seconds);

  private:
    struct Timer {
        double interval;
        double due;
        std::function<void()> callback;
    };
    double step_;
    double now_ = 0;
    bool realTime_ = false;
    // The monotonic clock's reading at virtual time 0, in real time.
    std::chrono::steady_clock::time_point origin_;
    std::vector<Timer> timers_;
    std::vector<std::function<void()>> posted_;
};

}  // namespace zan
