#include "shell/instrument_profiles.h"

#include <exception>

#include "context/context.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr const char* kFirmwarePrompt = "Firmware: CLICK TO GET INFO";

// Steps shared by the two models that drive the full menu set (VSF, DFL, TRIA).
void SetGraphMenus(MainForm& m, bool vsf, bool dfl, bool tria) {
    m.triamenugrph.SetEnabled(tria);
    m.df1.SetEnabled(dfl);
    m.vsf1.SetEnabled(vsf);
}

void ShowFirmwareButton(MainForm& m) {
    m.Command28.SetCaption(kFirmwarePrompt);
    m.Command28.SetVisible(true);
}

// A failing property change stops the handler at that step; the DFL handler
// and RefreshInstrumentMenu report it, the others stop silently.
template <typename Steps>
void RunProfile(Context& ctx, bool reportFailure, Steps steps) {
    try {
        RefreshInstrumentMenu(ctx);
        steps(ctx.main);
    } catch (const std::exception& e) {
        if (reportFailure) ShowError(ctx, e.what());
    }
}

// The output grid empties with what decoding keeps of it.
void ClearOutput(Context& ctx) {
    ctx.main.MSFlexGrid1.ClearCells();
    ctx.state.OutputTexts = {};
}

}  // namespace

void RefreshInstrumentMenu(Context& ctx) {
    MainForm& m = ctx.main;
    for (MenuItem* item : {&m.inst2, &m.inst3, &m.inst4, &m.inst5, &m.inst6})
        item->SetChecked(false);
    m.List2.SetVisible(false);
    m.Frame15.SetVisible(false);
    m.StartHint.SetVisible(false);
}

void WriteVsfOutputHeadings(Context& ctx) {
    FlexGrid& g = ctx.main.MSFlexGrid1;
    g.SetCell(0, 0, "Angle ");
    g.SetCell(0, 1, "Output ");
    g.SetCell(1, 0, "100 ");
    g.SetCell(2, 0, "125 ");
    g.SetCell(3, 0, "150 ");
}

void WriteTriaOutputHeadings(Context& ctx) {
    FlexGrid& g = ctx.main.MSFlexGrid1;
    g.SetCell(0, 0, "Angle");
    g.SetCell(0, 1, "Output ");
    const char* rows[] = {"B100",  "B125 ", "B150 ", "G100 ", "G125 ",
                          "G150 ", "R100 ", "R125 ", "R150 "};
    for (int i = 0; i < 9; ++i) g.SetCell(i + 1, 0, rows[i]);
}

void WriteVsfCalibrationHeadings(Context& ctx) {
    FlexGrid& g = ctx.main.MSFlexGrid2;
    g.SetCell(0, 0, "Angle");
    g.SetCell(0, 1, "Beta (T)");
    g.SetCell(0, 2, "Offset");
    g.SetCell(1, 0, "100 ");
    g.SetCell(2, 0, "125 ");
    g.SetCell(3, 0, "150 ");
}

void WriteTriaCalibrationHeadings(Context& ctx) {
    FlexGrid& g = ctx.main.MSFlexGrid2;
    g.SetCell(0, 0, "Angle ");
    g.SetCell(0, 1, "Blue B(T) ");
    g.SetCell(0, 2, "Green B(T) ");
    g.SetCell(0, 3, "RED B(T) ");
    const char* rows[] = {"100 & Fluor.", "125            ", "150            ", "Offset",
                          "100 & Fluor.", "125            ", "150            "};
    for (int i = 0; i < 7; ++i) g.SetCell(i + 1, 0, rows[i]);
    g.SetCell(0, 4, "Fluor.");
}

void inst2_Click(Context& ctx) {
    RunProfile(ctx, false, [&ctx](MainForm& m) {
        m.Frame15.SetVisible(true);
        m.dh1.SetEnabled(true);
        m.Label13.SetCaption("VSF");
        ShowFirmwareButton(m);
        SetGraphMenus(m, true, false, false);
        m.CWGraph1.SetVisible(true);
        m.CWGraph2.SetVisible(false);
        m.Text47.SetVisible(false);
        m.Command28.SetEnabled(true);
        m.inst2.SetChecked(true);
        m.Frame5.SetVisible(true);
        m.Frame8.SetVisible(false);
        m.List2.SetVisible(false);
        ctx.state.InstrumentType = kVsf;
        m.Frame2.SetVisible(true);
        m.Frame13.SetVisible(false);
        ClearOutput(ctx);
        m.MSFlexGrid1.SetVisible(true);
        WriteVsfOutputHeadings(ctx);
        m.MSFlexGrid2.ClearCells();
        m.MSFlexGrid2.SetVisible(true);
        WriteVsfCalibrationHeadings(ctx);
    });
}

void inst3_Click(Context& ctx) {
    RunProfile(ctx, false, [&ctx](MainForm& m) {
        m.Frame15.SetVisible(false);
        m.Label13.SetCaption("VSFS");
        m.CWGraph1.SetVisible(true);
        m.CWGraph2.SetVisible(false);
        m.Text47.SetVisible(false);
        m.Command28.SetEnabled(true);
        m.inst3.SetChecked(true);
        m.Frame8.SetVisible(true);
        m.List2.SetVisible(false);
        ctx.state.InstrumentType = kVsfs;
        m.Frame2.SetVisible(true);
        m.Frame13.SetVisible(false);
        ClearOutput(ctx);
        m.MSFlexGrid1.SetVisible(true);
        WriteVsfOutputHeadings(ctx);
    });
}

void inst4_Click(Context& ctx) {
    RunProfile(ctx, true, [&ctx](MainForm& m) {
        m.Frame15.SetVisible(false);
        m.dh1.SetEnabled(true);
        m.Label13.SetCaption("DFL");
        ShowFirmwareButton(m);
        SetGraphMenus(m, false, true, false);
        m.CWGraph1.SetVisible(false);
        m.CWGraph2.SetVisible(true);
        m.Command28.SetEnabled(true);
        m.inst4.SetChecked(true);
        m.Frame5.SetVisible(false);
        m.Frame8.SetVisible(true);
        m.List2.SetVisible(false);
        ctx.state.InstrumentType = kDfl;
        m.Frame2.SetVisible(true);
        m.Frame13.SetVisible(false);
        m.MSFlexGrid1.SetVisible(false);
        m.CWGraph2.SetAxisMinimum(1, 0);
        m.CWGraph2.SetAxisMaximum(1, 0.01);
        m.Text47.SetVisible(true);
    });
}

void inst5_Click(Context& ctx) {
    RunProfile(ctx, false, [&ctx](MainForm& m) {
        m.Frame15.SetVisible(false);
        m.Label13.SetCaption("DFLS");
        m.CWGraph1.SetVisible(false);
        m.CWGraph2.SetVisible(true);
        m.Command28.SetEnabled(true);
        m.inst5.SetChecked(true);
        m.Frame5.SetVisible(false);
        m.Frame8.SetVisible(true);
        m.List2.SetVisible(false);
        ctx.state.InstrumentType = kDfls;
        m.Frame2.SetVisible(true);
        m.Frame13.SetVisible(false);
        m.MSFlexGrid1.SetVisible(false);
        m.CWGraph1.SetAxisMinimum(1, 0);
        m.CWGraph1.SetAxisMaximum(1, 100);
        m.Text47.SetVisible(true);
    });
}

void inst6_Click(Context& ctx) {
    RunProfile(ctx, false, [&ctx](MainForm& m) {
        m.Frame15.SetVisible(false);
        m.dh1.SetEnabled(false);
        m.Label13.SetCaption("TRIA");
        ShowFirmwareButton(m);
        SetGraphMenus(m, false, false, true);
        m.CWGraph1.SetVisible(true);
        m.CWGraph2.SetVisible(false);
        m.Text47.SetVisible(false);
        m.Command28.SetEnabled(false);
        m.inst6.SetChecked(true);
        m.Frame5.SetVisible(true);
        m.Frame8.SetVisible(false);
        m.List2.SetVisible(true);
        ctx.state.InstrumentType = kTria;
        m.Frame2.SetVisible(false);
        m.Frame13.SetVisible(true);
        m.MSFlexGrid1.SetVisible(true);
        ClearOutput(ctx);
        WriteTriaOutputHeadings(ctx);
        m.MSFlexGrid2.ClearCells();
        WriteTriaCalibrationHeadings(ctx);
    });
}

void WireInstrumentMenu(Context& ctx) {
    MainForm& m = ctx.main;
    m.inst2.onClick = [&ctx] { inst2_Click(ctx); };
    m.inst3.onClick = [&ctx] { inst3_Click(ctx); };
    m.inst4.onClick = [&ctx] { inst4_Click(ctx); };
    m.inst5.onClick = [&ctx] { inst5_Click(ctx); };
    m.inst6.onClick = [&ctx] { inst6_Click(ctx); };
}

}  // namespace zan
