#include "decoding/decoding_wiring.h"

#include "shell/context.h"

namespace zan {

void WireDecoding(Context&) {}

}  // namespace zan
