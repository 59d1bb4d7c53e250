#include "context/context.h"

namespace zan {

void EndProgram(Context& ctx) {
    ctx.programEnded = true;
    if (ctx.onProgramEnded) ctx.onProgramEnded();
}

void HandOnPacket(Context& ctx) {
    PacketHandlers& handlers = ctx.packetHandlers;
    DecodedRecord record;
    if (handlers.decode) {
        record = handlers.decode();
    } else {
        const auto row = static_cast<size_t>(ctx.state.PacketRow);
        record.instrumentType = ctx.state.InstrumentType;
        record.graphView = ctx.state.GraphView;
        record.packet = ViewOfRow(ctx.state.PacketTable[row],
                                  static_cast<int>(ctx.state.PacketColumnCount[row]));
    }
    for (const PacketHandlers::Consumer& consumer : handlers.consumers) consumer(record);
}

void ShowError(Context& ctx, const std::string& description) {
    ctx.platform.dialogs.MessageBox(description, "Error");
}

void WaitForOk(Context& ctx, const std::string& text, const std::string& title) {
    Dialogs& dialogs = ctx.platform.dialogs;
    dialogs.MessageBox(text, title);
    // Boxes are answered in the order they were raised.
    const long long answered = dialogs.MessagesAnswered() + dialogs.MessagesOpen();
    while (dialogs.MessagesAnswered() < answered && !ctx.programEnded)
        ctx.platform.pump.DispatchPending();
}

FileDialogResult ShowCommonDialog(Context& ctx, FileDialogKind kind) {
    auto& dialog = ctx.main.CommonDialog1;
    dialog.fileName.clear();
    const FileDialogRequest request{dialog.title, dialog.filter, dialog.defaultExtension,
                                    dialog.fileName, kind != FileDialogKind::Append};
    Dialogs& dialogs = ctx.platform.dialogs;
    FileDialogResult chosen =
        kind == FileDialogKind::Open ? dialogs.OpenFile(request) : dialogs.SaveFile(request);
    dialog.fileName = chosen.path;
    return chosen;
}

}  // namespace zan
