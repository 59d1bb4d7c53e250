#include "decoding/decoding_wiring.h"

#include "decoding/process_packet.h"
#include "shell/context.h"

namespace zan {

void WireDecoding(Context& ctx) {
    ctx.packetHandlers.processPacket = [&ctx] { ProcessPacket(ctx); };
}

}  // namespace zan
