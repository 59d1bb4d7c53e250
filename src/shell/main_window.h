#pragma once

namespace zan {

struct Context;
class MenuItem;

// Reads zhost.def into the date-format menu; "MM/DD/YY" when it cannot.
void LoadPreferences(Context& ctx);
// A date-format item: shows its format in Label40 and carries the only check mark.
void DateFormat_Click(Context& ctx, MenuItem& item);
void mdy_Click(Context& ctx);
void dmy_Click(Context& ctx);
void dym_Click(Context& ctx);
void myd_Click(Context& ctx);
void ydm_Click(Context& ctx);
void ymd_Click(Context& ctx);
// The main window goes away (Exit, or closing it): the date format is saved
// to zhost.def and the program ends. Runs once.
void MainForm_Unload(Context& ctx);
// "Exit": closes an open port, then unloads the main window.
void ex_Click(Context& ctx);
// "About" -> "Compile Date".
void codate_Click(Context& ctx);
// The testing panel replaces the data panel, and back ("Close").
void Image1_Click(Context& ctx);
void Command24_Click(Context& ctx);
// Every key the main window receives: Ctrl+D in test mode goes to the terminal box.
void MainForm_KeyPress(Context& ctx, int charCode);

void WireMainWindow(Context& ctx);

}  // namespace zan
