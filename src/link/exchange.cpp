#include "link/exchange.h"

#include "context/context.h"
#include "link/port_operations.h"
#include "link/port_watch.h"

namespace zan {

Exchange::Exchange(Context& ctx, ProgressBar* bar)
    : ctx_(ctx), bar_(bar), starters_{&ctx.main.Command3,   &ctx.main.Command2,
                                      &ctx.main.Command27,  &ctx.main.Command28,
                                      &ctx.main.Command5_0, &ctx.main.Command5_1,
                                      &ctx.main.ddfe,       &ctx.main.Command12,
                                      &ctx.main.Command4,   &ctx.main.Command13} {
    if (ctx.exchangeRunning) return;
    ctx.exchangeRunning = true;
    lossesAtStart_ = ctx.portLosses;
    acquired_ = true;
    for (size_t i = 0; i < kStarters; ++i) {
        wasEnabled_[i] = starters_[i]->Enabled();
        starters_[i]->SetEnabled(false);
    }
}

Exchange::~Exchange() {
    if (!acquired_) return;
    for (size_t i = 0; i < kStarters; ++i) starters_[i]->SetEnabled(wasEnabled_[i]);
    ctx_.exchangeRunning = false;
}

void Exchange::ThrowIfLinkLost() const {
    if (ctx_.portLosses != lossesAtStart_) throw LinkLost();
}

void Exchange::Send(const std::string& text) {
    ThrowIfLinkLost();
    // A write can be the first to find the device gone, before any tick does.
    try {
        SendText(ctx_, text);
    } catch (const PortLostError& e) {
        PortLost(ctx_, e.what());
        throw LinkLost();
    }
}

void Exchange::Wait(double seconds) {
    Delay(ctx_, seconds);
    ThrowIfLinkLost();
}

void Exchange::SendThenWait(const std::string& text, double step, double seconds) {
    Send(text);
    AdvanceProgress(step);
    Wait(seconds);
}

void Exchange::SetProgress(double value) {
    if (bar_) bar_->SetValue(value);
}

void Exchange::AdvanceProgress(double step) {
    if (bar_) bar_->SetValue(bar_->Value() + step);
}

}  // namespace zan
