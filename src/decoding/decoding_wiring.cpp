#include "decoding/decoding_wiring.h"

#include "context/context.h"
#include "decoding/process_packet.h"

namespace zan {

void WireDecoding(Context& ctx) {
    ctx.packetHandlers.processPacket = [&ctx] { ProcessPacket(ctx); };
    ctx.main.MSFlexGrid2.Observe([&ctx](Property property) {
        if (property == Property::Cells) ctx.state.VsfCoefficientsCurrent = false;
    });
}

}  // namespace zan
