#include "replay/replay.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string_view>

#include "acquisition/packet_walk.h"
#include "core/word_scan.h"
#include "decoding/process_packet.h"
#include "recording/playback.h"
#include "recording/recording_files.h"
#include "recording/stored_kind.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr long long kProgressLines = 4096;
// No one follows a replay's file while it grows, so lines go to the system in batches.
constexpr size_t kReplayBatchBytes = 1024 * 1024;

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Decoding and the writer read the instrument, the view and the coefficients
// from the state alone: a replay has no window.
void Configure(ProgramState& s, const ReplayOptions& options) {
    s.InstrumentType = options.instrumentType;
    if (options.calibration) {
        ApplyCalInfo(*options.calibration, s.CalibrationTable, options.instrumentType);
        if (options.instrumentType == kTria) s.CalibrationReloadPending = 1;
    }
    s.DflOffsetText = options.dflOffset;
    s.DflScalingText = options.dflScaling;
    s.GraphView = options.graphView;
}

// The recording file of a replay: opened at the first recorded line, when
// decoding has seen the head's layout, and fed one record at a time.
class ReplayRecording {
  public:
    ReplayRecording(const ProgramState& s, const ReplayOptions& options, const LocalDateTime& now)
        : s_(s), options_(options), now_(now) {}

    // The first failure of a record or of the file, if any.
    std::optional<std::string> Consume(const DecodedRecord& record) {
        if (record.failure) return record.failure;
        LinePieces line;
        if (!RecordedLine(record, line)) return std::nullopt;
        Open();
        if (WriteKeptLine(*file_, s_, KeptFile::Recording, heading_, line)) return std::nullopt;
        return file_->Failure()->Message() + " Recording has stopped.";
    }
    void Open() {
        if (!file_)
            file_ =
                OpenKeptFile(s_, KeptFile::Recording, options_.outputPath, options_.append, now_,
                             SteadySeconds, options_.inputs, kReplayBatchBytes, &heading_);
    }
    UserFileWriter* File() const { return file_.get(); }
    bool Finish() { return FinishKeptFile(*file_, s_, KeptFile::Recording, heading_); }

  private:
    const ProgramState& s_;
    const ReplayOptions& options_;
    LocalDateTime now_;
    std::unique_ptr<UserFileWriter> file_;
    TriaHeadingMark heading_;
};

// The packet of a plain line (no carriage return or line feed inside, fewer
// than twenty separators with its line end, no longer than the longest line
// kept) taken where the line lies, as the walk would build it in the packet
// table; false for any other line, which takes the walk.
bool PlainLinePacket(std::string_view line, PacketView& packet) {
    if (line.size() > static_cast<size_t>(kLongestLine)) return false;
    const char* const end = line.data() + line.size();
    const char* start = line.data();
    size_t field = 0;
    auto split = [&](const char* tab) {
        if (field + 2 >= static_cast<size_t>(kSeparatorLimit)) return false;
        packet.fields[field++] = std::string_view(start, static_cast<size_t>(tab + 1 - start));
        start = tab + 1;
        return true;
    };
    // Eight characters at a time, then the few left one by one.
    const char* at = line.data();
    for (; end - at >= 8; at += 8) {
        const std::uint64_t word = WordAt(at);
        if (WordHoldsAny(word, '\r', '\n')) return false;
        for (std::uint64_t tabs = BytesThatAre(word, '\t'); tabs != 0; tabs &= tabs - 1)
            if (!split(at + FirstMarkedByte(tabs))) return false;
    }
    for (; at < end; ++at)
        if (IsFieldBreak(*at) && (*at != '\t' || !split(at))) return false;
    packet.fields[field] = std::string_view(start, static_cast<size_t>(end - start));
    packet.fields[field + 1] = {};  // the field after the carriage return
    packet.count = static_cast<int>(field) + 1;
    return true;
}

// Reads the raw log's three header lines; what keeps the file from being a
// raw log, saying what it looks like, or nothing.
std::optional<std::string> ReadRawLogHeader(FieldStream& raw) {
    std::string fields[kRawLogHeaderFields];
    int read = 0;
    for (; read < kRawLogHeaderFields && !raw.AtEnd(); ++read) fields[read] = raw.ReadField();
    const std::string& name = raw.Name();
    if (read == 0) return name + " is empty, so it is not a raw log.";
    switch (StoredKindOf(fields[0], fields[2])) {
        case StoredKind::Recording:
            return name +
                   " is a recording file, not a raw log: its values are decoded already; "
                   "replay the raw log it was recorded from.";
        case StoredKind::TriaDevice:
        case StoredKind::Other:
            return name +
                   " does not begin as a raw log does (\"Created on ...\"), so it is not "
                   "one; a TRIA data file from the logger is converted with zanhost-convert.";
        default: break;
    }
    if (read < kRawLogHeaderFields)
        return name + " ends within its header lines: it holds no data.";
    return std::nullopt;
}

}  // namespace

ReplayReport ReplayRawLog(FieldStream& raw, const ReplayOptions& options, const LocalDateTime& now,
                          const std::function<bool(std::uint64_t bytesRead)>& progress) {
    const auto state = std::make_unique<ProgramState>();
    ProgramState& s = *state;
    Configure(s, options);
    ReplayRecording recording(s, options, now);
    ReplayReport report;
    std::optional<std::string> failure;
    auto consume = [&](const DecodedRecord& record) {
        std::optional<std::string> problem = recording.Consume(record);
        if (problem && !failure) failure = std::move(problem);
    };
    auto onPacket = [&] {
        consume(ProcessPacket(s, CompletedPacket(s)));
        NextPacketRow(s);
    };
    PacketView plain;
    long long fieldsRead = 0;
    auto fail = [&](const std::string& text) {
        report.failure = raw.Name() + ", line " + std::to_string(raw.Line()) + ": " + text;
    };
    try {
        report.failure = ReadRawLogHeader(raw);
        const long long headerLines = raw.Line();
        while (!report.failure && !raw.AtEnd()) {
            // Taken where the stream holds it; a line that is not plain is walked
            // with its line end after it, as the walk builds the same packets
            // from text in any pieces.
            raw.Next();
            const std::string_view line = raw.Text();
            // A comma splits a line into two fields, each played as a line, as playback does.
            ++fieldsRead;
            report.linesRead = raw.Line() - headerLines;
            if (PlainLinePacket(line, plain)) {
                consume(ProcessPacket(s, plain));
            } else {
                WalkPackets(s, line, onPacket);
                WalkPackets(s, "\r\n", onPacket);
            }
            if (failure) fail(*failure);
            if (IsPlaybackEnd(line)) break;
            if (progress && fieldsRead % kProgressLines == 0 && !progress(raw.BytesRead())) {
                report.cancelled = true;
                break;
            }
        }
        if (!report.failure) recording.Open();
    } catch (const FieldStreamError& e) {
        // The reader names the file and the line itself.
        report.failure = e.what();
    } catch (const UserFileError& e) {
        report.failure = e.what();
    } catch (const std::exception& e) {
        fail(e.what());
    }
    if (UserFileWriter* file = recording.File()) {
        if (!recording.Finish() && !report.failure) report.failure = file->Failure()->Message();
        report.linesWritten = file->LinesWritten();
    }
    return report;
}

}  // namespace zan
