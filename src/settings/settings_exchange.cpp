#include "settings/settings_exchange.h"

#include "shell/context.h"

namespace zan {
namespace {

// The buttons of the settings frame that send to the sensor.
CommandButton* SendingButtons(Context& ctx, int i) {
    CommandButton* buttons[] = {&ctx.main.Command3, &ctx.main.Command2, &ctx.main.Command27};
    return buttons[i];
}

}  // namespace

SettingsExchange::SettingsExchange(Context& ctx) : ctx_(ctx) {
    if (ctx.settingsExchangeRunning) return;
    ctx.settingsExchangeRunning = true;
    acquired_ = true;
    for (int i = 0; i < 3; ++i) {
        wasEnabled_[i] = SendingButtons(ctx, i)->Enabled();
        SendingButtons(ctx, i)->SetEnabled(false);
    }
}

SettingsExchange::~SettingsExchange() {
    if (!acquired_) return;
    for (int i = 0; i < 3; ++i) SendingButtons(ctx_, i)->SetEnabled(wasEnabled_[i]);
    ctx_.settingsExchangeRunning = false;
}

}  // namespace zan
