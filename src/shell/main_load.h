#pragma once

namespace zan {

struct Context;

// Connects every control of the windows to its handler.
void WireProgram(Context& ctx);
// The main window's load: caption, date format, instrument and port from the
// quick setup, fixed headings, and the start of Timer1.
void MainForm_Load(Context& ctx);
// What the program does when it starts: the quick setup dialog is loaded and
// shown; its Apply and Ignore buttons load and show the main window.
void StartProgram(Context& ctx);

}  // namespace zan
