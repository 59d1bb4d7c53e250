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
// The VSF angle graph draws beta weighted by 2 pi sin(theta), so its axis
// says so: its values are not the table's.
constexpr const char* kWeightedBetaTitle =
    "2\u03c0 sin \u03b8 \u00d7 \u03b2(\u03b8)  (m\u207b\u00b9 rad\u207b\u00b9)";
constexpr const char* kBetaTitle = "\u03b2(\u03b8)  (m\u207b\u00b9 sr\u207b\u00b9)";
constexpr const char* kChlorophyllTitle = "Chlorophyll (\u00b5g/L)";

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

// A view of another quantity leaves nothing of the last one on its graph.
void SelectView(Context& ctx, float view) {
    if (ctx.state.GraphView != view) ClearViewGraph(ctx, ctx.state.GraphView);
    ctx.state.GraphView = view;
}

void ShowAngleView(MainForm& m, const char* caption, const char* valueTitle) {
    m.CWGraph1.SetCaption(caption);
    m.CWGraph1.SetAxisTitle(1, kAngleAxisTitle);
    m.CWGraph1.SetAxisTitle(2, valueTitle);
}

void ShowTimeView(MainForm& m, const char* caption, const char* valueTitle) {
    m.CWGraph2.SetCaption(caption);
    m.CWGraph2.SetAxisTitle(1, kTimeAxisTitle);
    m.CWGraph2.SetAxisTitle(2, valueTitle);
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
    ShowAngleView(m, kBetaCaption, kWeightedBetaTitle);
    m.mang.SetChecked(true);
    ShowScaleFactor(m, false);
    SelectView(ctx, kViewVsfBeta);
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
        ShowAngleView(m, kCountsAngleCaption, kCountsAxisTitle);
        ShowScaleFactor(m, false);
        SelectView(ctx, kViewVsfCounts);
    });
}

void df2_Click(Context& ctx) {
    UncheckGraphViews(ctx);
    MainForm& m = ctx.main;
    m.df2.SetChecked(true);
    ShowTimeView(m, "ug/L vs Time", kChlorophyllTitle);
    SelectView(ctx, kViewDflChlorophyll);
    ShowScaleFactor(m, true);
}

void df3_Click(Context& ctx) {
    UncheckGraphViews(ctx);
    MainForm& m = ctx.main;
    SelectView(ctx, kViewDflCounts);
    m.df3.SetChecked(true);
    ShowTimeView(m, "Raw Counts Vs Time", kCountsAxisTitle);
    ShowScaleFactor(m, true);
}

void triarcvsa_Click(Context& ctx) {
    Trapped(ctx, [&ctx](MainForm& m) {
        UncheckGraphViews(ctx);
        m.triarcvsa.SetChecked(true);
        ShowAngleView(m, kCountsAngleCaption, kCountsAxisTitle);
        ShowScaleFactor(m, false);
        SelectView(ctx, kViewTriaCounts);
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
        ShowAngleView(m, kBetaCaption, kBetaTitle);
        ShowScaleFactor(m, false);
        SelectView(ctx, kViewTriaBeta);
    });
}

void ClearViewGraph(Context& ctx, float view) {
    if (view == kViewDflChlorophyll || view == kViewDflCounts)
        ctx.main.CWGraph2.ClearData();
    else if (view == kViewVsfBeta || view == kViewVsfCounts || view == kViewTriaCounts ||
             view == kViewTriaBeta)
        ctx.main.CWGraph1.ClearData();
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
