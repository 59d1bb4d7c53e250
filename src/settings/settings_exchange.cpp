#include "settings/settings_exchange.h"

#include "context/context.h"

namespace zan {

SettingsExchange::SettingsExchange(Context& ctx)
    : ctx_(ctx), buttons_{&ctx.main.Command3, &ctx.main.Command2, &ctx.main.Command27} {
    if (ctx.settingsExchangeRunning) return;
    ctx.settingsExchangeRunning = true;
    acquired_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        wasEnabled_[i] = buttons_[i]->Enabled();
        buttons_[i]->SetEnabled(false);
    }
}

SettingsExchange::~SettingsExchange() {
    if (!acquired_) return;
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetEnabled(wasEnabled_[i]);
    ctx_.settingsExchangeRunning = false;
}

}  // namespace zan
