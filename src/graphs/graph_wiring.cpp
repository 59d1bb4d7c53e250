#include "graphs/graph_wiring.h"

#include "context/context.h"
#include "graphs/axis_controls.h"
#include "graphs/graph_views.h"
#include "graphs/plot_packet.h"
#include "graphs/time_window.h"

namespace zan {

void WireGraphs(Context& ctx) {
    MainForm& m = ctx.main;
    auto on = [&ctx](void (*handler)(Context&)) { return [&ctx, handler] { handler(ctx); }; };
    m.mang.onClick = on(mang_Click);
    m.tang.onClick = on(tang_Click);
    m.dwang.onClick = on(dwang_Click);
    m.Rctime.onClick = on(Rctime_Click);
    m.rang.onClick = on(rang_Click);
    m.df2.onClick = on(df2_Click);
    m.df3.onClick = on(df3_Click);
    m.triarcvsa.onClick = on(triarcvsa_Click);
    m.triabvsa.onClick = on(triabvsa_Click);
    m.Command1.onClick = on(Command1_Click);
    m.HScroll2.onChange = on(HScroll2_Change);
    m.CWNumEdit2.onValueChanged = on(CWNumEdit2_ValueChanged);
    m.Command6.onClick = on(Command6_Click);
    m.Command9.onClick = on(Command9_Click);
    m.Command10.onClick = on(Command10_Click);
    m.Command7.onClick = on(Command7_Click);
    m.Command8.onClick = on(Command8_Click);
    m.Command11.onClick = on(Command11_Click);
    m.Command14.onClick = on(Command14_Click);
    m.Command32.onClick = on(Command32_Click);
    m.Command15.onClick = on(Command15_Click);
    m.Command25.onClick = on(Command25_Click);
    ctx.packetHandlers.Register(
        [&ctx](const DecodedRecord& record) { GraphDecodedRecord(ctx, record); });
}

}  // namespace zan
