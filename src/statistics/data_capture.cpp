#include "statistics/data_capture.h"

#include <algorithm>
#include <stdexcept>

#include "context/context.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "statistics/capture_writer.h"

namespace zan {
namespace {

// List1 gains the entry of a new line only with its first character, so the
// newest complete line is the one before the line being received.
int LastCompleteLine(const Context& ctx) {
    return std::min(ctx.state.ReceiveLine, ctx.main.List1.Count()) - 1;
}

}  // namespace

std::string NextCaptureStep(const std::string& caption) {
    std::string step = caption;
    if (NumberValue(step) < 1.02) step = ShortText(NumberValue(step) + 0.02);
    if (NumberValue(step) >= 1.02) step = ShortText(NumberValue(step) + 0.1);
    if (NumberValue(step) == 1.12) step = "1.1";
    return step;
}

void Command20_Click(Context& ctx) {
    ProgramState& s = ctx.state;
    if (s.CaptureFile) {
        ShowError(ctx, "The capture file " + s.CaptureFile->Path() +
                           " is still open; close it with \"Close File\" before choosing another.");
        return;
    }
    // The dialog keeps the name, filter and title the last command left in it.
    auto& dialog = ctx.main.CommonDialog1;
    const FileDialogResult chosen = ctx.platform.dialogs.SaveFile(
        {dialog.title, dialog.filter, dialog.defaultExtension, dialog.fileName});
    if (chosen.cancelled || chosen.path.empty()) return;
    dialog.fileName = chosen.path;
    ctx.main.Label34.SetCaption("0");
    try {
        s.CaptureFile = std::make_shared<CaptureWriter>(chosen.path);
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
}

void Command21_Click(Context& ctx) {
    ProgramState& s = ctx.state;
    if (!s.CaptureFile) {
        ShowError(ctx, "No capture file is open: choose one with \"Save File As\" first.");
        return;
    }
    const int line = LastCompleteLine(ctx);
    if (line < 0) {
        ShowError(ctx, "No complete line has been received yet; nothing was captured.");
        return;
    }
    try {
        s.CaptureFile->WriteLine(ctx.main.List1.Entry(line));
    } catch (const std::exception& e) {
        // The file is closed after its first failure; what reached it stays.
        s.CaptureFile.reset();
        ShowError(ctx, e.what());
        return;
    }
    ctx.main.Label34.SetCaption(NextCaptureStep(ctx.main.Label34.Caption()));
}

void Command22_Click(Context& ctx) {
    const auto file = std::move(ctx.state.CaptureFile);
    if (!file) return;
    try {
        file->Close();
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
}

}  // namespace zan
