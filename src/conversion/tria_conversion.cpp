#include "conversion/tria_conversion.h"

#include <algorithm>

#include "core/user_file_writer.h"
#include "recording/stored_kind.h"

namespace zan {
namespace {

// No one follows a converted file while it grows, so lines go to the system in batches.
constexpr size_t kConvertedBatchBytes = 1024 * 1024;

// The converted file, created from empty. The lines converted before a
// failure reach the file when it is closed; it is synced to disk then. The
// first failure is thrown once, naming the file and how many lines reached
// it; later lines are ignored.
class ConvertedFile : public LineSink {
  public:
    ConvertedFile(const std::string& path, const FilesInUse& inputs) try
        : file_(path, {"the converted file",
                       UserFileWriter::Mode::Create,
                       UserFileWriter::Sync::AtClose,
                       {},
                       kConvertedBatchBytes,
                       inputs,
                       {}}) {
    } catch (const UserFileError& e) {
        throw FileProblemError({ProblemKind::CannotOpen, path, 0, 0, e.Description(), e.what()});
    }

    void WriteLine(std::string_view text) override {
        if (file_.IsOpen() && !file_.WriteLine(text)) throw FileProblemError(Failure());
    }

    // Closes the file; the failure that stopped it, if any, at close or before.
    std::optional<FileProblem> Close() {
        if (file_.IsOpen()) file_.Close();
        if (!file_.Failure()) return std::nullopt;
        return Failure();
    }
    // The converted lines (the heading aside) that reached the file.
    long long RecordsInFile() const { return std::max(file_.LinesWritten() - 1, 0LL); }

  private:
    FileProblem Failure() const {
        const UserFileFailure& failure = *file_.Failure();
        return {ProblemKind::WriteFailed, failure.path, 0, 0,
                failure.description + " after " + std::to_string(failure.linesInFile) + " lines"};
    }

    UserFileWriter file_;
};

// Where a file given as the data file belongs when it is of another kind.
const char* OtherKindHint(StoredKind kind) {
    switch (kind) {
        case StoredKind::RawLog:
            return "is a raw log, not a TRIA data file: play it back with Open Raw File or "
                   "decode it with zanhost-replay --instrument TRIA.";
        case StoredKind::Recording:
            return "is a recording file, not a TRIA data file: its values are decoded already.";
        case StoredKind::RawLogOrRecording:
            return "is a raw log or a recording file (it begins with \"Created on\"), not a "
                   "TRIA data file: a raw log is decoded with zanhost-replay.";
        case StoredKind::TriaDevice:
            return "is a TRIA device file, not a TRIA data file: give it as the device file.";
        case StoredKind::Other: return nullptr;
    }
    return nullptr;
}

// A raw log, a recording or a device file given as the data file is refused
// before anything is written, saying what it is. Its first lines are read
// apart, so the conversion reads the data file as it always has.
void RefuseAnotherKind(const std::string& path) {
    UserFileInput probe = OpenForReading(path, kDataFileKind);
    std::string fields[3];
    try {
        FieldStream in(*probe.stream, path, kConversionFieldRules, FieldStream::kBlockSize,
                       kDataFileKind);
        for (std::string& field : fields)
            if (in.Next()) field = in.Text();
    } catch (const FieldStreamError&) {
        return;  // told by the conversion's own reading, with its line
    }
    if (const char* hint = OtherKindHint(StoredKindOf(fields[0], fields[2])))
        throw FileProblemError({ProblemKind::WrongKind, path, 0, 0, hint, path + " " + hint});
}

}  // namespace

std::string ConversionOutcome::FailureMessage(const std::string& convertedFile) const {
    if (!problem) return {};
    std::string text = Describe(*problem);
    if (records > 0)
        text += "\nThe " + std::to_string(records) + " records converted before it are in " +
                convertedFile + ".";
    return text;
}

ConversionOutcome ConvertTriaData(std::istream& data, const std::string& dataName,
                                  const DeviceTable& device, LineSink& out,
                                  const ConversionProgressCallback& progress) {
    ConversionOutcome outcome;
    TriaRecordWalk walk(device, dataName);
    try {
        out.WriteLine(kConvertedHeading);
        FieldStream in(data, dataName, kConversionFieldRules, FieldStream::kBlockSize,
                       kDataFileKind);
        unsigned long long reported = 0;
        while (in.Next()) {
            walk.Convert(in.Text(), in.Line(), in.FirstField(), out);
            if (progress && in.BytesFetched() != reported) {
                reported = in.BytesFetched();
                if (!progress({reported, walk.Records()})) {
                    outcome.cancelled = true;
                    break;
                }
            }
        }
    } catch (const FileProblemError& e) {
        outcome.problem = e.Problem();
    } catch (const FieldStreamError& e) {
        outcome.problem = ReadingProblem(e, dataName);
    }
    outcome.records = walk.Records();
    return outcome;
}

ConversionOutcome ConvertTriaFile(const DeviceTable& device, const ConversionFiles& files,
                                  const ConversionProgressCallback& progress) {
    ConversionOutcome outcome;
    try {
        RefuseAnotherKind(files.data);
        UserFileInput data = OpenForReading(files.data, kDataFileKind);
        FilesInUse inputs{{data.identity, "the TRIA data file"}};
        if (const auto device = PathIdentity(files.device))
            inputs.push_back({*device, "the TRIA device file"});
        ConvertedFile converted(files.converted, inputs);
        outcome = ConvertTriaData(*data.stream, files.data, device, converted, progress);
        // Lines reach the file in batches: when they could not all be kept,
        // that is the problem to tell, with the records the file did get.
        if (std::optional<FileProblem> failure = converted.Close()) {
            outcome.problem = std::move(failure);
            outcome.records = converted.RecordsInFile();
        }
    } catch (const FileProblemError& e) {
        outcome.problem = e.Problem();
    }
    return outcome;
}

}  // namespace zan
