#pragma once
#include <chrono>

namespace zan {

// The two clocks of an unattended run: a monotonic one for waits and a UTC
// one for the files' dates and the event log. A test or a fast run hands its
// own, so a day passes in seconds.
class ServiceClock {
  public:
    virtual ~ServiceClock() = default;
    // Seconds from a monotonic clock.
    virtual double Seconds() = 0;
    // Seconds since 1970-01-01 00:00 UTC.
    virtual double UtcSeconds() = 0;
};

class SystemServiceClock : public ServiceClock {
  public:
    double Seconds() override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    double UtcSeconds() override {
        return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
};

}  // namespace zan
