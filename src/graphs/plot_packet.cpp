#include "graphs/plot_packet.h"

#include "shell/context.h"

namespace zan {

void PlotPacket(Context&) {}

}  // namespace zan
