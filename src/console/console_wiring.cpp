#include "console/console_wiring.h"

#include "console/console_commands.h"
#include "context/context.h"
#include "link/exchange.h"

namespace zan {

void WireConsole(Context& ctx) {
    MainForm& m = ctx.main;
    m.Command27.onClick = [&ctx] { Command27_Click(ctx); };
    m.Command28.onClick = [&ctx] { Command28_Click(ctx); };
    m.Command5_0.onClick = [&ctx] { Command5_Click(ctx); };
    m.Command5_1.onClick = [&ctx] { Command5_Click(ctx); };
    m.ddfe.onClick = [&ctx] { ddfe_Click(ctx); };
    m.Text9.onChange = [&ctx] { Text9_Change(ctx); };
    for (Control* starter : std::initializer_list<Control*>{&m.Command27, &m.Command28,
                                                            &m.Command5_0, &m.Command5_1, &m.ddfe})
        RegisterExchangeStarter(ctx, *starter);
}

}  // namespace zan
