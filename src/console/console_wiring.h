#pragma once

namespace zan {

struct Context;

// Connects the console commands, the Options and About menus and the quick setup dialog.
void WireConsole(Context& ctx);

}  // namespace zan
