#pragma once

namespace zan {

struct Context;

// Connects the calibration table, its editor and the Cal Info commands.
void WireCalibration(Context& ctx);

}  // namespace zan
