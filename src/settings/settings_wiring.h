#pragma once

namespace zan {

struct Context;

// Connects the logger settings frame and its Retrieve and Apply commands.
void WireSettings(Context& ctx);

}  // namespace zan
