#include "conversion/conversion_command.h"

#include <optional>

#include "context/context.h"
#include "conversion/tria_conversion.h"
#include "link/port_operations.h"

namespace zan {
namespace {

// The main window's one file dialog with a title of its own; it starts at the
// name chosen last and keeps the filter and extension other commands left.
std::optional<std::string> AskFile(Context& ctx, const std::string& title, bool save) {
    auto& dialog = ctx.main.CommonDialog1;
    dialog.title = title;
    const FileDialogRequest request{dialog.title, dialog.filter, dialog.defaultExtension,
                                    dialog.fileName};
    const FileDialogResult chosen =
        save ? ctx.platform.dialogs.SaveFile(request) : ctx.platform.dialogs.OpenFile(request);
    if (chosen.cancelled) return std::nullopt;
    dialog.fileName = chosen.path;
    return chosen.path;
}

}  // namespace

void tria1_Click(Context& ctx) {
    ConversionFiles files;
    const auto device = AskFile(ctx, "Select a Device File", false);
    if (!device) return;
    files.device = *device;
    DeviceTable table;
    try {
        table = ReadDeviceFile(files.device);
    } catch (const FileProblemError& e) {
        ShowError(ctx, e.what());
        return;
    }
    Delay(ctx, 1);
    const auto data = AskFile(ctx, "Select a Data File", false);
    if (!data) return;
    files.data = *data;
    Delay(ctx, 1);
    const auto converted = AskFile(ctx, "Save Converted File as", true);
    if (!converted) return;
    files.converted = *converted;

    ctx.progress.Form3.SetVisible(true);
    const ConversionOutcome outcome = ConvertTriaFile(table, files);
    ctx.progress.Form3.SetVisible(false);
    if (outcome.problem) {
        ShowError(ctx, outcome.FailureMessage(files.converted));
        return;
    }
    ctx.platform.dialogs.MessageBox("TRIA File has been successfully converted.",
                                    "Conversion Complete");
}

void WireConversion(Context& ctx) {
    ctx.main.tria1.onClick = [&ctx] { tria1_Click(ctx); };
}

}  // namespace zan
