#include "calibration/calibration_wiring.h"

#include "shell/context.h"

namespace zan {

void WireCalibration(Context&) {}

}  // namespace zan
