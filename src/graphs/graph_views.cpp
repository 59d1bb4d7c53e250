#include "graphs/graph_views.h"

#include <exception>

#include "context/context.h"
#include "core/colour.h"
#include "state/instruments.h"
#include "state/view_codes.h"

namespace zan {
namespace {

constexpr const char* kBetaCaption = "Beta of Theta Vs Angle";
constexpr const char* kCountsAngleCaption = "Raw Counts Vs Angle";
constexpr const char* kStartCaption = "Start Graphing";

// Runs a handler's steps; a failure is shown and ends the handler.
template <typename Steps>
void Trapped(Context& ctx, Steps steps) {
    try {
        steps(ctx.main);
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
}

// The time views show the scale factor that sets their window width.
void ShowScaleFactor(MainForm& m, bool shown) {
    m.Label59.SetVisible(shown);
    m.CWNumEdit2.SetVisible(shown);
}

}  // namespace

void UncheckGraphViews(Context& ctx) {
    MainForm& m = ctx.main;
    for (MenuItem* item : {&m.mang, &m.rang, &m.df2, &m.df3, &m.triabvsa, &m.triarcvsa})
        item->SetChecked(false);
}

void UncheckVsfViews(Context& ctx) {
    Trapped(ctx, [](MainForm& m) {
        for (MenuItem* item : {&m.rang, &m.tang, &m.mang}) item->SetChecked(false);
    });
}

void mang_Click(Context& ctx) {
    UncheckVsfViews(ctx);
    UncheckGraphViews(ctx);
    MainForm& m = ctx.main;
    m.CWGraph1.SetCaption(kBetaCaption);
    m.mang.SetChecked(true);
    ShowScaleFactor(m, false);
    ctx.state.GraphView = kViewVsfBeta;
}

void tang_Click(Context& ctx) {
    Trapped(ctx, [&ctx](MainForm& m) {
        m.tang.SetChecked(true);
        ctx.state.GraphView = kViewVsfBetaTime;
    });
}

void dwang_Click(Context& ctx) { ctx.state.GraphView = kViewVsfRadialArea; }

void Rctime_Click(Context& ctx) { ctx.state.GraphView = kViewVsfCountsTime; }

void rang_Click(Context& ctx) {
    Trapped(ctx, [&ctx](MainForm& m) {
        UncheckGraphViews(ctx);
        m.rang.SetChecked(true);
        m.CWGraph1.SetCaption(kCountsAngleCaption);
        ShowScaleFactor(m, false);
        ctx.state.GraphView = kViewVsfCounts;
    });
}

void df2_Click(Context& ctx) {
    UncheckGraphViews(ctx);
    MainForm& m = ctx.main;
    m.df2.SetChecked(true);
    m.CWGraph2.SetCaption("ug/L vs Time");
    ctx.state.GraphView = kViewDflChlorophyll;
    ShowScaleFactor(m, true);
}

void df3_Click(Context& ctx) {
    UncheckGraphViews(ctx);
    MainForm& m = ctx.main;
    ctx.state.GraphView = kViewDflCounts;
    m.df3.SetChecked(true);
    m.CWGraph2.SetCaption("Raw Counts Vs Time");
    ShowScaleFactor(m, true);
}

void triarcvsa_Click(Context& ctx) {
    Trapped(ctx, [&ctx](MainForm& m) {
        UncheckGraphViews(ctx);
        m.triarcvsa.SetChecked(true);
        m.CWGraph1.SetCaption(kCountsAngleCaption);
        ShowScaleFactor(m, false);
        ctx.state.GraphView = kViewTriaCounts;
    });
}

// Beta needs the head's coefficients; an empty first scaling cell means no
// device file has been loaded.
void triabvsa_Click(Context& ctx) {
    Trapped(ctx, [&ctx](MainForm& m) {
        UncheckGraphViews(ctx);
        if (m.MSFlexGrid2.Cell(1, 1).empty()) {
            ctx.platform.dialogs.MessageBox("Please Load Device File", "Missing Dev File");
            return;
        }
        m.triabvsa.SetChecked(true);
        m.CWGraph1.SetCaption(kBetaCaption);
        ShowScaleFactor(m, false);
        ctx.state.GraphView = kViewTriaBeta;
    });
}

void StopGraphing(Context& ctx) {
    ctx.state.GraphingOn = 0;
    ctx.main.Command1.SetCaption(kStartCaption);
    ctx.main.Command1.SetBackColour(kLightGreen);
}

void Command1_Click(Context& ctx) {
    Trapped(ctx, [&ctx](MainForm& m) {
        if (ctx.state.InstrumentType == kNoInstrument) {
            ctx.platform.dialogs.MessageBox("Please select an instrument", "Missing Parameter");
            return;
        }
        if (m.Command1.Caption() != kStartCaption) {
            StopGraphing(ctx);
        } else {
            m.Command1.SetCaption("Stop Graphing");
            m.Command1.SetBackColour(kLightRed);
            ctx.state.GraphingOn = 1;
        }
    });
}

}  // namespace zan
