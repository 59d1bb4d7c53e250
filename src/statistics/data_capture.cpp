#include "statistics/data_capture.h"

#include <algorithm>
#include <stdexcept>

#include "context/context.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "core/user_file_writer.h"
#include "state/open_files.h"

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
    // Each captured point is on disk before the click returns, so it survives a
    // crash or a pulled cable.
    try {
        s.CaptureFile = std::make_unique<UserFileWriter>(
            chosen.path, UserFileWriter::Options{kCaptureUse,
                                                 UserFileWriter::Mode::Create,
                                                 UserFileWriter::Sync::EveryLine,
                                                 {},
                                                 0,
                                                 OpenFiles(s),
                                                 {}});
    } catch (const UserFileError& e) {
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
    if (!s.CaptureFile->WriteLine(ctx.main.List1.Entry(line))) {
        // The file is closed after its first failure; what reached it stays.
        ShowError(ctx, s.CaptureFile->Failure()->Message());
        s.CaptureFile.reset();
        return;
    }
    ctx.main.Label34.SetCaption(NextCaptureStep(ctx.main.Label34.Caption()));
}

void Command22_Click(Context& ctx) {
    const auto file = std::move(ctx.state.CaptureFile);
    if (file && !file->Close()) ShowError(ctx, file->Failure()->Message());
}

}  // namespace zan
