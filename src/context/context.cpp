#include "context/context.h"

namespace zan {

void ShowError(Context& ctx, const std::string& description) {
    ctx.platform.dialogs.MessageBox(description, "Error");
}

FileDialogResult ShowCommonDialog(Context& ctx, FileDialogKind kind) {
    auto& dialog = ctx.main.CommonDialog1;
    dialog.fileName.clear();
    const FileDialogRequest request{dialog.title, dialog.filter, dialog.defaultExtension,
                                    dialog.fileName};
    Dialogs& dialogs = ctx.platform.dialogs;
    FileDialogResult chosen =
        kind == FileDialogKind::Open ? dialogs.OpenFile(request) : dialogs.SaveFile(request);
    dialog.fileName = chosen.path;
    return chosen;
}

}  // namespace zan
