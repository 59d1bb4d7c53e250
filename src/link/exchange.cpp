#include "link/exchange.h"

#include "context/context.h"
#include "link/port_operations.h"
#include "link/port_watch.h"

namespace zan {
namespace {

// One exchange at a time: the starters are held disabled while it holds the
// line. Enabled states set meanwhile (an instrument chosen during a wait)
// show once it ends.
class LineHold {
  public:
    explicit LineHold(Context& ctx) : ctx_(ctx) {
        ctx.exchangeRunning = true;
        for (Control* starter : ctx.exchangeStarters) starter->SetHeld(true);
    }
    ~LineHold() {
        for (Control* starter : ctx_.exchangeStarters) starter->SetHeld(false);
        ctx_.exchangeRunning = false;
    }
    LineHold(const LineHold&) = delete;
    LineHold& operator=(const LineHold&) = delete;

  private:
    Context& ctx_;
};

void EndWithFailure(Context& ctx, const ExchangeRules& rules, Exchange& exchange,
                    const ExchangeFailure& failure) {
    exchange.SetProgress(0);
    std::string text = failure.what();
    // Putting the sensor back is worth a try; a port failing on it has been
    // told of, or ends the attempt without a word.
    if (rules.recover && exchange.SentAnything() && IsPortOpen(ctx)) {
        try {
            text += rules.recover(exchange);
        } catch (const std::exception&) {
            exchange.SetProgress(0);
        }
    }
    ctx.platform.dialogs.MessageBox(text, failure.Title());
}

}  // namespace

Exchange::Exchange(Context& ctx, ProgressBar* bar)
    : ctx_(ctx), bar_(bar), lossesAtStart_(ctx.portLosses) {}

void Exchange::ThrowIfLinkLost() const {
    if (ctx_.portLosses != lossesAtStart_) throw LinkLost();
}

// A look at the port can be the first to find the device gone, before any tick does.
template <typename Step>
auto Exchange::Guarded(Step step) -> decltype(step()) {
    ThrowIfLinkLost();
    try {
        return step();
    } catch (const PortLostError& e) {
        PortLost(ctx_, e.what());
        throw LinkLost();
    }
}

void Exchange::Send(const std::string& text) {
    sentAnything_ = true;
    Guarded([&] { SendText(ctx_, text); });
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

void Exchange::PulseDtr() {
    sentAnything_ = true;
    Guarded([&] { ctx_.platform.port.SetDtr(true); });
    Wait(0.5);
    Guarded([&] { ctx_.platform.port.SetDtr(false); });
}

int Exchange::CharsWaiting() {
    return Guarded([&] { return zan::CharsWaiting(ctx_); });
}

std::string Exchange::ReadChar() {
    ctx_.portInputLen = 1;
    return Guarded([&] { return zan::ReadChar(ctx_); });
}

void Exchange::Dispatch() {
    ctx_.platform.pump.DispatchPending();
    ThrowIfLinkLost();
}

void Exchange::Pause(double seconds) { ctx_.platform.pump.Pause(seconds); }

double Exchange::Seconds() { return ctx_.platform.pump.Seconds(); }

void Exchange::SetProgress(double value) {
    if (bar_) bar_->SetValue(value);
}

void Exchange::AdvanceProgress(double step) {
    if (bar_) bar_->SetValue(bar_->Value() + step);
}

bool RunExchange(Context& ctx, const ExchangeRules& rules,
                 const std::function<void(Exchange&)>& script) {
    if (ctx.exchangeRunning) return false;
    const LineHold hold(ctx);
    Exchange exchange(ctx, rules.bar);
    try {
        script(exchange);
    } catch (const LinkLost&) {
        // The loss was told once, when it was found.
    } catch (const ExchangeFailure& failure) {
        EndWithFailure(ctx, rules, exchange, failure);
    } catch (const std::exception& e) {
        if (rules.onPortFailure) rules.onPortFailure(ctx, e.what());
    }
    return true;
}

void RegisterExchangeStarter(Context& ctx, Control& starter) {
    ctx.exchangeStarters.push_back(&starter);
}

}  // namespace zan
