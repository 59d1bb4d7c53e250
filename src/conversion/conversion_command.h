#pragma once

namespace zan {

struct Context;

// "Process Data File" in "TRIA Data Handling": asks for a device file, a data
// file and the name of the converted file, then converts the data file with
// the device file's coefficients while the progress window shows.
void tria1_Click(Context& ctx);

void WireConversion(Context& ctx);

}  // namespace zan
