#include "calibration/calibration_wiring.h"

#include "calibration/cal_info_file.h"
#include "calibration/calibration_table.h"
#include "context/context.h"

namespace zan {

void WireCalibration(Context& ctx) {
    MainForm& m = ctx.main;
    m.MSFlexGrid2.onClick = [&ctx] { MSFlexGrid2_Click(ctx); };
    m.Text11.onChange = [&ctx] { Text11_Change(ctx); };
    m.Text11.onKeyDown = [&ctx](int keyCode) { Text11_KeyDown(ctx, keyCode); };
    m.Text11.onLostFocus = [&ctx] { Text11_LostFocus(ctx); };
    m.Command30.onClick = [&ctx] { Command30_Click(ctx); };
    m.Command31.onClick = [&ctx] { Command31_Click(ctx); };
}

}  // namespace zan
