#include "console/console_wiring.h"

#include "shell/context.h"

namespace zan {

void WireConsole(Context&) {}

}  // namespace zan
