#pragma once

namespace zan {

struct Context;

// Connects the testing panel's averaging and capture controls, and hands the
// acquisition loop its per-packet accumulation.
void WireStatistics(Context& ctx);

}  // namespace zan
