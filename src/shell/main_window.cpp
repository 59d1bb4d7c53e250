#include "shell/main_window.h"

#include <array>
#include <exception>
#include <iostream>

#include "context/context.h"
#include "link/port_operations.h"
#include "shell/settings_files.h"
#include "shell/version.h"

namespace zan {
namespace {

constexpr int kCtrlD = 4;

// The date-format items in zhost.def's line order, which is also the order
// in which the load gives them the check mark.
std::array<MenuItem*, 6> DateFormatItems(MainForm& m) {
    return {&m.mdy, &m.dmy, &m.dym, &m.myd, &m.ydm, &m.ymd};
}

// A control takes the keyboard focus only when it and every container around
// it are shown and enabled.
bool CanTakeFocus(const Control& control) {
    for (const Control* c = &control; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

}  // namespace

void DateFormat_Click(Context& ctx, MenuItem& item) {
    ctx.main.Label40.SetCaption(item.Caption());
    for (MenuItem* other : DateFormatItems(ctx.main)) other->SetChecked(false);
    item.SetChecked(true);
}

void mdy_Click(Context& ctx) { DateFormat_Click(ctx, ctx.main.mdy); }
void dmy_Click(Context& ctx) { DateFormat_Click(ctx, ctx.main.dmy); }
void dym_Click(Context& ctx) { DateFormat_Click(ctx, ctx.main.dym); }
void myd_Click(Context& ctx) { DateFormat_Click(ctx, ctx.main.myd); }
void ydm_Click(Context& ctx) { DateFormat_Click(ctx, ctx.main.ydm); }
void ymd_Click(Context& ctx) { DateFormat_Click(ctx, ctx.main.ymd); }

void LoadPreferences(Context& ctx) {
    const auto items = DateFormatItems(ctx.main);
    std::optional<DateFormatMarks> marks;
    // A preference file that cannot be read is named; the default format applies.
    try {
        marks = ReadPreferencesFile(ctx.platform.clock.PreferencesPath());
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
    if (!marks) {
        ctx.main.mdy.SetChecked(true);
        mdy_Click(ctx);
        return;
    }
    for (size_t i = 0; i < items.size(); ++i) items[i]->SetChecked((*marks)[i]);
    // Each click clears the others, so the first checked item in this order wins.
    for (MenuItem* item : items)
        if (item->Checked()) DateFormat_Click(ctx, *item);
}

void MainForm_Unload(Context& ctx) {
    if (ctx.programEnded) return;
    EndProgram(ctx);
    DateFormatMarks marks{};
    const auto items = DateFormatItems(ctx.main);
    for (size_t i = 0; i < items.size(); ++i) marks[i] = items[i]->Checked();
    const std::string path = ctx.platform.clock.PreferencesPath();
    // The window is going away, so there is nobody left to show a box to; the
    // program still ends and the date format falls back next time.
    try {
        WritePreferencesFile(path, marks);
    } catch (const std::exception& e) {
        std::cerr << "zanhost: the date format could not be saved to " << path << ": " << e.what()
                  << "\n";
    }
    ctx.main.Form1.SetVisible(false);
}

void ex_Click(Context& ctx) {
    // Exit closes the line without touching the port items' check marks; a
    // failing close must not keep the program from ending.
    try {
        if (IsPortOpen(ctx)) ctx.platform.port.Close();
    } catch (const std::exception&) {}
    MainForm_Unload(ctx);
}

void codate_Click(Context& ctx) {
    ctx.platform.dialogs.MessageBox(kVersionComments, "Compile Date");
}

void Image1_Click(Context& ctx) {
    ctx.main.Frame12.SetVisible(false);
    ctx.main.Frame9.SetVisible(true);
}

void Command24_Click(Context& ctx) {
    ctx.main.Frame9.SetVisible(false);
    ctx.main.Frame12.SetVisible(true);
}

void MainForm_KeyPress(Context& ctx, int charCode) {
    if (charCode != kCtrlD || ctx.state.TestMode != 1) return;
    if (CanTakeFocus(ctx.main.Text9)) ctx.main.Text9.SetFocus();
}

void WireMainWindow(Context& ctx) {
    MainForm& m = ctx.main;
    m.mdy.onClick = [&ctx] { mdy_Click(ctx); };
    m.dmy.onClick = [&ctx] { dmy_Click(ctx); };
    m.dym.onClick = [&ctx] { dym_Click(ctx); };
    m.myd.onClick = [&ctx] { myd_Click(ctx); };
    m.ydm.onClick = [&ctx] { ydm_Click(ctx); };
    m.ymd.onClick = [&ctx] { ymd_Click(ctx); };
    m.ex.onClick = [&ctx] { ex_Click(ctx); };
    m.codate.onClick = [&ctx] { codate_Click(ctx); };
    m.Image1.onClick = [&ctx] { Image1_Click(ctx); };
    m.Command24.onClick = [&ctx] { Command24_Click(ctx); };
    m.Form1.onKeyPress = [&ctx](int charCode) { MainForm_KeyPress(ctx, charCode); };
    m.Form1.onClose = [&ctx] { MainForm_Unload(ctx); };
}

}  // namespace zan
