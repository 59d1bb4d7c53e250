#include "shell/main_load.h"

#include <string>

#include "acquisition/acquisition_loop.h"
#include "calibration/calibration_wiring.h"
#include "console/console_wiring.h"
#include "context/context.h"
#include "conversion/conversion_command.h"
#include "decoding/decoding_wiring.h"
#include "graphs/graph_wiring.h"
#include "link/port_operations.h"
#include "ports/port_map.h"
#include "recording/recording_wiring.h"
#include "settings/settings_wiring.h"
#include "shell/instrument_profiles.h"
#include "shell/main_window.h"
#include "shell/quick_setup.h"
#include "shell/version.h"
#include "state/instruments.h"
#include "statistics/running_averages.h"
#include "statistics/statistics_wiring.h"

namespace zan {
namespace {

constexpr double kTimer1Interval = 0.010;

void SelectQuickSetupInstrument(Context& ctx) {
    const float code = ctx.state.InstrumentType;
    if (code == kQuickVsf)
        inst2_Click(ctx);
    else if (code == kQuickDfl)
        inst4_Click(ctx);
    else if (code == kQuickTria)
        inst6_Click(ctx);
    else if (code == kQuickVsfs)
        inst3_Click(ctx);
    else if (code == kQuickDfls)
        inst5_Click(ctx);
}

}  // namespace

void WireProgram(Context& ctx) {
    WirePortMenu(ctx);
    WireInstrumentMenu(ctx);
    WireCalibration(ctx);
    WireDecoding(ctx);
    WireGraphs(ctx);
    WireConsole(ctx);
    WireSettings(ctx);
    WireConversion(ctx);
    WireStatistics(ctx);
    WireRecording(ctx);
    WireQuickSetup(ctx);
    WireMainWindow(ctx);
}

void StartProgram(Context& ctx) {
    // The main window is loaded and shown only by the dialog's two buttons.
    ctx.main.Form1.SetVisible(false);
    QuickSetupForm_Load(ctx);
    ctx.quick.Form2.SetVisible(true);
}

void MainForm_Load(Context& ctx) {
    MainForm& m = ctx.main;
    ctx.platform.pump.AddIdleTimer(
        kTimer1Interval, [&ctx] { Timer1_Timer(ctx); }, [&ctx] { return Timer1WouldIdle(ctx); });
    // A failure during the load stops it silently; the window shows what it got.
    try {
        m.Form1.SetCaption("ZAN Host " + std::to_string(kVersionMajor) + "." +
                           std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision));
        LoadPreferences(ctx);
        RefreshInstrumentMenu(ctx);
        if (ctx.state.TestMode == 1) {
            m.Image1.SetEnabled(true);
            m.Image1.SetVisible(true);
            m.Shape2.SetVisible(true);
        }
        if (ctx.state.InstrumentType == kNoInstrument) m.Command28.SetVisible(false);
        ctx.state.GraphView = 5;
        m.MSFlexGrid1.SetColWidth(0, 800);
        m.MSFlexGrid1.SetColWidth(1, 1650);
        m.Frame5.SetVisible(true);
        m.Frame13.SetVisible(false);
        m.Frame2.SetVisible(false);
        SelectQuickSetupInstrument(ctx);
        const float port = ctx.state.QuickSetupPort;
        if (port >= 1 && port <= kPortCount) OpenPort(ctx, static_cast<int>(port));
        WriteStatisticsHeadings(ctx);
    } catch (const std::exception&) {}
}

}  // namespace zan
