#pragma once

namespace zan {

struct Context;

// The quick setup dialog's load: preselects the choice remembered in def.zhl.
void QuickSetupForm_Load(Context& ctx);
// "Apply Quick Setup": takes the selected options, remembers them in def.zhl
// and opens the main window with them.
void QuickSetup_Command1_Click(Context& ctx);
// "Ignore Quick Setup": opens the main window without instrument or port.
void QuickSetup_Command2_Click(Context& ctx);
// Every key the dialog receives: Ctrl+K and later "!" unlock the test mode.
void QuickSetup_Form_KeyPress(Context& ctx, int charCode);

void WireQuickSetup(Context& ctx);

}  // namespace zan
