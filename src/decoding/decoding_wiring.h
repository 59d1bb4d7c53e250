#pragma once

namespace zan {

struct Context;

// Installs ProcessPacket as the loop's packet handler.
void WireDecoding(Context& ctx);

}  // namespace zan
