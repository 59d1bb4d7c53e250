#pragma once
#include <chrono>
#include <functional>
#include <thread>

namespace zan {

// The user-interface event loop as the core sees it.
class EventPump {
  public:
    virtual ~EventPump() = default;
    // Seconds from a monotonic clock (never wraps at midnight, ignores clock changes).
    virtual double Seconds() = 0;
    // Runs the pending events once (timer ticks, clicks, key presses). Waits a
    // little for an event when none is pending, so a waiting loop does not spin a core.
    virtual void DispatchPending() = 0;
    // A periodic timer, running until the program ends.
    virtual void AddTimer(double intervalSeconds, std::function<void()> callback) = 0;
    // A periodic timer whose ticks do nothing while idle() holds. A pump may
    // hold its ticks back then, until an event has run after which idle() no
    // longer holds; this one ticks anyway.
    virtual void AddIdleTimer(double intervalSeconds, std::function<void()> callback,
                              std::function<bool()> /*idle*/) {
        AddTimer(intervalSeconds, std::move(callback));
    }
    // Lets a little time pass without running any event, for the loops that
    // watch the port while no other handler may run.
    virtual void Pause(double seconds) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
};

}  // namespace zan
