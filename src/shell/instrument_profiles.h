#pragma once

namespace zan {

struct Context;

// Clears the instrument selection from the view (check marks, List2, Frame15).
void RefreshInstrumentMenu(Context& ctx);
// The Instrument menu handlers: each reshapes the main window for one model.
void inst2_Click(Context& ctx);  // VSF
void inst3_Click(Context& ctx);  // VSFS
void inst4_Click(Context& ctx);  // DFL
void inst5_Click(Context& ctx);  // DFLS
void inst6_Click(Context& ctx);  // TRIA

// The fixed grid headings the profiles write.
void WriteVsfOutputHeadings(Context& ctx);
void WriteTriaOutputHeadings(Context& ctx);
void WriteVsfCalibrationHeadings(Context& ctx);
void WriteTriaCalibrationHeadings(Context& ctx);

void WireInstrumentMenu(Context& ctx);

}  // namespace zan
