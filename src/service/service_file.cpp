#include "service/service_file.h"

#include <filesystem>
#include <utility>

#include "recording/recording_files.h"
#include "state/open_files.h"

namespace zan {
namespace {

std::string Joined(const LinePieces& line) {
    std::string text;
    for (size_t i = 0; i < line.Count(); ++i) text += line[i];
    return text;
}

}  // namespace

ServiceFile::ServiceFile(KeptFile kind, EventLog& events, std::function<double()> seconds)
    : kind_(kind), events_(events), seconds_(std::move(seconds)) {}

void ServiceFile::Write(const ProgramState& s, const std::string& path, const LocalDateTime& now,
                        const LinePieces& line) {
    currentPath_ = path;
    if (held_.empty() && WriteNow(s, path, line, now)) return;
    Hold({path, Joined(line), false});
}

void ServiceFile::Finish(const ProgramState& s, const LocalDateTime& now) {
    if (currentPath_.empty()) return;
    const std::string path = std::exchange(currentPath_, {});
    LinePieces eof;
    eof.Add("EOF");
    if (held_.empty() && WriteNow(s, path, eof, now)) return End();
    Hold({path, "EOF", true});
}

void ServiceFile::SyncIfDue() {
    if (writer_ && !writer_->SyncIfDue()) {
        Stopped(writer_->Failure()->Message());
        writer_.reset();
    }
}

void ServiceFile::Retry(const ProgramState& s, const LocalDateTime& now) {
    if (held_.empty()) return;
    const std::string path = held_.front().path;
    size_t written = 0;
    while (!held_.empty()) {
        const HeldLine& line = held_.front();
        LinePieces pieces;
        pieces.Add(line.text);
        if (!WriteNow(s, line.path, pieces, now)) return;
        if (line.ends) End();
        held_.pop_front();
        ++written;
    }
    if (!stopped_) return;
    stopped_ = false;
    events_.Tell(path + " can be written again: " + std::to_string(written) +
                 " held lines written.");
}

bool ServiceFile::WriteNow(const ProgramState& s, const std::string& path, const LinePieces& line,
                           const LocalDateTime& now) {
    if ((!writer_ || writer_->Path() != path) && !Open(s, path, now)) return false;
    if (writer_->WriteLine(line)) return true;
    Stopped(writer_->Failure()->Message());
    writer_.reset();
    return false;
}

bool ServiceFile::Open(const ProgramState& s, const std::string& path, const LocalDateTime& now) {
    writer_.reset();
    std::error_code error;
    try {
        if (path == headedPath_ && std::filesystem::exists(path, error)) {
            writer_ = std::make_unique<UserFileWriter>(
                path,
                UserFileWriter::Options{kind_ == KeptFile::Recording ? kRecordingUse : kRawLogUse,
                                        UserFileWriter::Mode::Append,
                                        UserFileWriter::Sync::Periodically, seconds_});
            return true;
        }
        // A file of this period from an earlier run keeps what it holds: the
        // new header and lines follow it, as the window's "Append File" does.
        writer_ = OpenKeptFile(s, kind_, path, true, now, seconds_, {});
        headedPath_ = path;
        return true;
    } catch (const UserFileError& e) {
        Stopped(e.what());
        return false;
    }
}

void ServiceFile::End() {
    if (writer_ && !writer_->Close()) Stopped(writer_->Failure()->Message());
    writer_.reset();
    headedPath_.clear();
}

void ServiceFile::Hold(HeldLine line) {
    if (held_.size() >= kMostHeldLines) {
        if (dropped_++ == 0)
            events_.Tell(std::to_string(kMostHeldLines) + " lines for " + line.path +
                         " are held; the oldest are dropped from now on.");
        held_.pop_front();
    }
    held_.push_back(std::move(line));
}

void ServiceFile::Stopped(const std::string& message) {
    if (stopped_) return;
    stopped_ = true;
    events_.Tell(message + " Its lines are held and written when it can be written again.");
}

}  // namespace zan
