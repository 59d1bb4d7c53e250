#include "recording/recording_files.h"

#include "context/context.h"
#include "core/colour.h"
#include "core/number_text.h"
#include "record/decoded_record.h"
#include "state/instruments.h"
#include "state/open_files.h"

namespace zan {
namespace {

constexpr const char* kTextFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|";
constexpr const char* kActiveCaption = "Stop Recording";

// What the two files' buttons, flags, writers and status bar fields are
// called on the window and in the state.
struct KeptFileParts {
    CommandButton& button;
    CheckBox& append;
    float& flag;
    std::unique_ptr<UserFileWriter>& writer;
    Label& status;
    TriaHeadingMark& heading;
    const char* idleCaption;
    const char* stoppedText;
    const char* kind;
};

KeptFileParts Parts(Context& ctx, KeptFile file) {
    ProgramState& s = ctx.state;
    MainForm& m = ctx.main;
    if (file == KeptFile::Recording)
        return {m.Command18,       m.Check3,           s.Recording,       s.RecordingFile,
                m.RecordingStatus, s.RecordingHeading, "Start Recording", " Recording has stopped.",
                "Recording"};
    return {m.Command19,
            m.Check4,
            s.RawLogging,
            s.RawLogFile,
            m.RawLogStatus,
            s.RawLogHeading,
            "Start Logging Raw Data",
            " Raw logging has stopped.",
            "Raw log"};
}

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::string LinesIn(const UserFileWriter& writer) {
    const long long lines = writer.LinesWritten();
    return std::to_string(lines) + (lines == 1 ? " line in " : " lines in ") +
           FileName(writer.Path());
}

// While a file is on, the status bar shows its name and the lines it holds so far.
void ShowFileGrowing(const KeptFileParts& p) {
    if (!p.writer) return;
    const long long lines = p.writer->LinesWritten();
    p.status.SetCaption(std::string(p.kind) + ": " + FileName(p.writer->Path()) + ", " +
                        std::to_string(lines) + (lines == 1 ? " line" : " lines"));
}

// Back to idle with the file closed; the state is settled before any box
// opens, so ticks running under the box write nothing more. The status bar
// keeps the file's account until the next start.
void ToIdle(Context& ctx, const KeptFileParts& p, const std::string& how = " stopped: ") {
    p.button.SetCaption(p.idleCaption);
    p.button.SetBackColour(kLightGreen);
    p.flag = 0;
    ctx.state.PacketsRecorded = 0;
    if (p.writer) p.status.SetCaption(p.kind + how + LinesIn(*p.writer));
    p.writer.reset();
}

// The count of raw lines goes back to 0 with the file's failure; the message
// tells how many are in the file.
void StopWithMessage(Context& ctx, const KeptFileParts& p, const std::string& message) {
    ToIdle(ctx, p, " stopped by a failure: ");
    if (&p.writer == &ctx.state.RawLogFile) ctx.main.Label67.SetCaption("0");
    ShowError(ctx, message);
}

void Start(Context& ctx, KeptFile file) {
    const KeptFileParts p = Parts(ctx, file);
    p.button.SetCaption(kActiveCaption);
    p.button.SetBackColour(kLightRed);
    ctx.main.CommonDialog1.filter = kTextFilter;
    ctx.main.CommonDialog1.defaultExtension = "txt";
    const bool append = p.append.Value() == 1;
    const FileDialogResult chosen =
        ShowCommonDialog(ctx, append ? FileDialogKind::Append : FileDialogKind::Save);
    if (chosen.cancelled || chosen.path.empty()) return ToIdle(ctx, p);
    EventPump& pump = ctx.platform.pump;
    try {
        p.writer = OpenKeptFile(
            ctx.state, file, chosen.path, append, ctx.platform.clock.Now(),
            [&pump] { return pump.Seconds(); }, OpenFiles(ctx.state), 0, &p.heading);
        p.flag = 1;
        ShowFileGrowing(p);
    } catch (const UserFileError& e) {
        p.status.SetCaption(std::string(p.kind) + " not started: " + chosen.name +
                            " could not be opened");
        StopWithMessage(ctx, p, e.what());
    }
}

void Stop(Context& ctx, KeptFile file) {
    const KeptFileParts p = Parts(ctx, file);
    if (p.writer && !FinishKeptFile(*p.writer, ctx.state, file, p.heading))
        return StopWithMessage(ctx, p, p.writer->Failure()->Message());
    ToIdle(ctx, p);
}

void Click(Context& ctx, KeptFile file) {
    const KeptFileParts p = Parts(ctx, file);
    if (p.button.Caption() == p.idleCaption)
        Start(ctx, file);
    else
        Stop(ctx, file);
}

bool Write(Context& ctx, KeptFile file, const LinePieces& line) {
    const KeptFileParts p = Parts(ctx, file);
    if (!p.writer) return false;
    if (WriteKeptLine(*p.writer, ctx.state, file, p.heading, line)) return true;
    StopWithMessage(ctx, p, p.writer->Failure()->Message() + p.stoppedText);
    return false;
}

}  // namespace

std::unique_ptr<UserFileWriter> OpenKeptFile(const ProgramState& s, KeptFile file,
                                             const std::string& path, bool append,
                                             const LocalDateTime& now,
                                             std::function<double()> seconds,
                                             const FilesInUse& inUse, size_t batchBytes,
                                             TriaHeadingMark* mark) {
    UserFileWriter::Options options{
        file == KeptFile::Recording ? kRecordingUse : kRawLogUse,
        append ? UserFileWriter::Mode::Append : UserFileWriter::Mode::Create,
        UserFileWriter::Sync::Periodically,
        std::move(seconds),
        batchBytes,
        inUse,
        {}};
    auto writer = std::make_unique<UserFileWriter>(path, std::move(options));
    // A TRIA's heading waits for the file's first line, whose head it names.
    const bool owed = mark && s.InstrumentType == kTria;
    if (mark) *mark = TriaHeadingMark{/*tria=*/owed, /*owed=*/owed, {}, {}};
    const auto heading = owed ? std::nullopt : HeadingLine(s, file);
    bool written = writer->WriteLine(CreatedOnLine(now)) && writer->WriteLine(LocationLine(path));
    if (written && heading) written = writer->WriteLine(*heading);
    if (!written) throw UserFileError(writer->Failure()->Message(), writer->Failure()->description);
    return writer;
}

void SyncKeptFiles(Context& ctx) {
    for (const KeptFile file : {KeptFile::Recording, KeptFile::RawLog}) {
        const KeptFileParts p = Parts(ctx, file);
        if (p.writer && !p.writer->SyncIfDue())
            StopWithMessage(ctx, p, p.writer->Failure()->Message() + p.stoppedText);
    }
}

bool WriteKeptLine(UserFileWriter& writer, const ProgramState& s, KeptFile file,
                   TriaHeadingMark& mark, const LinePieces& line) {
    const auto heading = HeadingBeforeLine(s, file, mark);
    return (!heading || writer.WriteLine(*heading)) && writer.WriteLine(line);
}

bool FinishKeptFile(UserFileWriter& writer, const ProgramState& s, KeptFile file,
                    TriaHeadingMark& mark) {
    const auto heading = mark.owed ? HeadingBeforeLine(s, file, mark) : std::nullopt;
    return (!heading || writer.WriteLine(*heading)) && writer.WriteLine("EOF") && writer.Close();
}

void ShowFileStatus(Context& ctx) {
    ShowFileGrowing(Parts(ctx, KeptFile::Recording));
    ShowFileGrowing(Parts(ctx, KeptFile::RawLog));
}

void Command18_Click(Context& ctx) { Click(ctx, KeptFile::Recording); }
void Command19_Click(Context& ctx) { Click(ctx, KeptFile::RawLog); }

void WriteRecordedLine(Context& ctx, const DecodedRecord& record) {
    LinePieces line;
    if (RecordedLine(record, line)) Write(ctx, KeptFile::Recording, line);
}

void WriteRawLogLine(Context& ctx, const DecodedRecord& record) {
    ProgramState& s = ctx.state;
    if (!Write(ctx, KeptFile::RawLog, RawLogLine(record.packet))) return;
    s.PacketsRecorded += 1;
    ctx.main.Label67.SetCaption(GeneralText(s.PacketsRecorded));
}

}  // namespace zan
