#include "virtual/virtual_pump.h"

#include <thread>

namespace zan {

void VirtualPump::FollowRealTime() {
    realTime_ = true;
    origin_ = std::chrono::steady_clock::now() -
              std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                  std::chrono::duration<double>(now_));
}

void VirtualPump::Pause(double seconds) {
    if (!realTime_) {
        now_ += seconds;
        return;
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    now_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
}

void VirtualPump::DispatchPending() {
    if (realTime_)
        Pause(step_);
    else
        now_ += step_;
    auto posted = std::move(posted_);
    posted_.clear();
    for (auto& event : posted) event();
    // Index loop: a callback may add timers while we walk them.
    for (size_t i = 0; i < timers_.size(); ++i) {
        if (timers_[i].due > now_ + 1e-12) continue;
        timers_[i].due = now_ + timers_[i].interval;
        auto callback = timers_[i].callback;
        callback();
    }
}

void VirtualPump::AddTimer(double intervalSeconds, std::function<void()> callback) {
    timers_.push_back({intervalSeconds, now_ + intervalSeconds, std::move(callback)});
}

void VirtualPump::RunFor(double seconds) {
    const double end = now_ + seconds;
    while (now_ < end - 1e-12) DispatchPending();
}

}  // namespace zan
