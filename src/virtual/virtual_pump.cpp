#include "virtual/virtual_pump.h"

namespace zan {

void VirtualPump::DispatchPending() {
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
