#include "settings/settings_wiring.h"

#include "shell/context.h"

namespace zan {

void WireSettings(Context&) {}

}  // namespace zan
