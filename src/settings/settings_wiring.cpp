#include "settings/settings_wiring.h"

#include "context/context.h"
#include "link/exchange.h"
#include "settings/settings_application.h"
#include "settings/settings_retrieval.h"
#include "settings/settings_summary.h"
#include "settings/tria_setup.h"

namespace zan {

void WireSettings(Context& ctx) {
    MainForm& m = ctx.main;
    m.Command3.onClick = [&ctx] { Command3_Click(ctx); };
    m.Command2.onClick = [&ctx] { Command2_Click(ctx); };
    m.Command12.onClick = [&ctx] { Command12_Click(ctx); };
    m.Command4.onClick = [&ctx] { Command4_Click(ctx); };
    m.Command13.onClick = [&ctx] { Command13_Click(ctx); };
    for (Control* starter : std::initializer_list<Control*>{&m.Command3, &m.Command2, &m.Command12,
                                                            &m.Command4, &m.Command13})
        RegisterExchangeStarter(ctx, *starter);
    m.Slider1.onChange = [&ctx] { ShowMeasurementTime(ctx); };
    m.Text2.onChange = [&ctx] { Text2_Change(ctx); };
    m.Text3.onChange = [&ctx] { Text3_Change(ctx); };
    m.Text4.onChange = [&ctx] { Text4_Change(ctx); };
    for (CheckBox* box : {&m.Check1, &m.Check2, &m.Check6, &m.Check7})
        box->onClick = [&ctx] { BuildSettingsSummary(ctx); };
}

}  // namespace zan
