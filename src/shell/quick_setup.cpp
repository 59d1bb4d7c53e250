#include "shell/quick_setup.h"

#include <exception>

#include "context/context.h"
#include "shell/main_load.h"
#include "shell/settings_files.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr int kCtrlK = 11;
constexpr int kExclamationMark = 33;

struct Choice {
    OptionButton* option;
    float code;
};

std::array<Choice, 5> InstrumentOptions(QuickSetupForm& q) {
    return {{{&q.Option1, 1}, {&q.Option2, 2}, {&q.Option3, 3}, {&q.Option6, 4}, {&q.Option7, 5}}};
}

std::array<Choice, 4> PortOptions(QuickSetupForm& q) {
    return {{{&q.Option4, 1}, {&q.Option5, 2}, {&q.Option9, 3}, {&q.Option8, 4}}};
}

template <size_t N>
void Select(const std::array<Choice, N>& choices, float code) {
    for (const Choice& c : choices)
        if (c.code == code) c.option->SetValue(true);
}

template <size_t N>
void TakeSelected(const std::array<Choice, N>& choices, float& value) {
    for (const Choice& c : choices)
        if (c.option->Value()) value = c.code;
}

// A window without an instrument says what to do next, until one is chosen.
void ShowMainWindow(Context& ctx) {
    ctx.quick.Form2.SetVisible(false);
    MainForm_Load(ctx);
    if (ctx.state.InstrumentType == kNoInstrument) ctx.main.StartHint.SetVisible(true);
    ctx.main.Form1.SetVisible(true);
}

}  // namespace

void QuickSetupForm_Load(Context& ctx) {
    // A missing or short file opens the dialog with nothing selected; one that
    // cannot be read is named to the user, and the dialog opens the same way.
    std::optional<QuickSetupChoice> remembered;
    try {
        remembered = ReadQuickSetupFile(ctx.platform.clock.QuickSetupPath());
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
    if (!remembered) return;
    ctx.state.InstrumentType = remembered->instrument;
    ctx.state.QuickSetupPort = remembered->port;
    Select(InstrumentOptions(ctx.quick), ctx.state.InstrumentType);
    Select(PortOptions(ctx.quick), ctx.state.QuickSetupPort);
}

void QuickSetup_Command1_Click(Context& ctx) {
    TakeSelected(InstrumentOptions(ctx.quick), ctx.state.InstrumentType);
    TakeSelected(PortOptions(ctx.quick), ctx.state.QuickSetupPort);
    // When the choice cannot be remembered it still applies to this run; the
    // user is told why it will not be offered next time.
    try {
        WriteQuickSetupFile(ctx.platform.clock.QuickSetupPath(),
                            {ctx.state.InstrumentType, ctx.state.QuickSetupPort});
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
    ShowMainWindow(ctx);
}

void QuickSetup_Command2_Click(Context& ctx) {
    ctx.state.InstrumentType = 0;
    ctx.state.QuickSetupPort = 0;
    ShowMainWindow(ctx);
}

void QuickSetup_Form_KeyPress(Context& ctx, int charCode) {
    QuickSetupForm& q = ctx.quick;
    if (charCode == kCtrlK) q.unlockKeySeen = true;
    if (q.unlockKeySeen && charCode == kExclamationMark) {
        ctx.state.TestMode = 1;
        q.Label2.SetVisible(true);
    }
}

void WireQuickSetup(Context& ctx) {
    QuickSetupForm& q = ctx.quick;
    q.Command1.onClick = [&ctx] { QuickSetup_Command1_Click(ctx); };
    q.Command2.onClick = [&ctx] { QuickSetup_Command2_Click(ctx); };
    q.Form2.onKeyPress = [&ctx](int charCode) { QuickSetup_Form_KeyPress(ctx, charCode); };
    // Closing the dialog from its title bar ends the program without a main window.
    q.Form2.onClose = [&ctx] {
        ctx.quick.Form2.SetVisible(false);
        EndProgram(ctx);
    };
}

}  // namespace zan
