#include "context/context.h"

namespace zan {

void EndProgram(Context& ctx) {
    ctx.programEnded = true;
    if (ctx.onProgramEnded) ctx.onProgramEnded();
}

void HandOnPacket(Context& ctx) {
    const PacketHandlers& handlers = ctx.packetHandlers;
    const ProgramState& s = ctx.state;
    const PacketView packet = CompletedPacket(s);
    const auto handOn = [&handlers](const DecodedRecord& record) {
        for (const PacketHandlers::Consumer& consumer : handlers.consumers) consumer(record);
    };
    if (handlers.decode) return handOn(handlers.decode(packet));
    DecodedRecord record(packet);
    record.instrumentType = s.InstrumentType;
    record.graphView = s.GraphView;
    record.plotX = &s.PlotX;
    record.plotY = &s.PlotY;
    handOn(record);
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
