#include "statistics/statistics_wiring.h"

#include "context/context.h"
#include "statistics/data_capture.h"
#include "statistics/running_averages.h"

namespace zan {

void WireStatistics(Context& ctx) {
    MainForm& m = ctx.main;
    ctx.packetHandlers.Register([&ctx](const DecodedRecord& record) {
        if (ctx.state.StatisticsRunning == 1) AccumulateStatistics(ctx, record);
    });
    m.Command23.onClick = [&ctx] { Command23_Click(ctx); };
    m.Command26.onClick = [&ctx] { Command26_Click(ctx); };
    m.Text12.onChange = [&ctx] { Text12_Change(ctx); };
    m.Command20.onClick = [&ctx] { Command20_Click(ctx); };
    m.Command21.onClick = [&ctx] { Command21_Click(ctx); };
    m.Command22.onClick = [&ctx] { Command22_Click(ctx); };
}

}  // namespace zan
