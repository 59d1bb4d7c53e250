#pragma once

namespace zan {

struct Context;

// Connects the console commands: Interrupt Auto Start, the firmware query, Run,
// Download Data and the terminal box.
void WireConsole(Context& ctx);

}  // namespace zan
