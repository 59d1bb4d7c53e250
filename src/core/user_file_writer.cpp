#include "core/user_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace zan {

std::string UserFileFailure::Message() const {
    return "Could not write to " + path + ": " + description + ". " + std::to_string(linesWritten) +
           (linesWritten == 1 ? " line was" : " lines were") + " written.";
}

UserFileWriter::UserFileWriter(std::string path, Mode mode, std::function<double()> seconds,
                               size_t batchBytes)
    : UserFileWriter(std::move(path), mode, Sync::Periodically) {
    seconds_ = std::move(seconds);
    batchBytes_ = batchBytes;
    lastSync_ = seconds_();
}

UserFileWriter::UserFileWriter(std::string path, Mode mode, Sync sync)
    : path_(std::move(path)), sync_(sync), batchBytes_(0) {
    // Opened without blocking so a pipe with no reader fails instead of
    // freezing the window; writes then block as usual.
    const int flags =
        O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | (mode == Mode::Append ? O_APPEND : O_TRUNC);
    fd_ = ::open(path_.c_str(), flags, 0666);
    if (fd_ < 0) {
        const std::string description = std::strerror(errno);
        throw UserFileError("Could not open " + path_ + ": " + description, description);
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

UserFileWriter::~UserFileWriter() { Close(); }

bool UserFileWriter::WriteLine(std::string_view text) {
    LinePieces line;
    line.Add(text);
    return WriteLine(line);
}

bool UserFileWriter::WriteLine(const LinePieces& line) {
    if (fd_ < 0) return false;
    // The buffer grows once for the line, and the pieces are copied straight in.
    size_t size = 2;
    for (size_t i = 0; i < line.Count(); ++i) size += line[i].size();
    const size_t start = pending_.size();
    pending_.resize(start + size);
    char* out = pending_.data() + start;
    for (size_t i = 0; i < line.Count(); ++i) {
        // A tab between values is a piece of one character, not worth a library call.
        const std::string_view piece = line[i];
        if (piece.size() == 1)
            *out++ = piece[0];
        else
            out = std::copy(piece.begin(), piece.end(), out);
    }
    out[0] = '\r';
    out[1] = '\n';
    ++pendingLines_;
    if (sync_ == Sync::EveryLine) return SyncNow();
    // Lines held for a batch are not the system's yet: nothing to sync before it goes.
    if (pending_.size() < batchBytes_) return true;
    if (!Flush()) return false;
    if (seconds_ && seconds_() - lastSync_ >= kSyncInterval) return SyncNow();
    return true;
}

bool UserFileWriter::Flush() {
    const char* data = pending_.data();
    size_t left = pending_.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, left);
        if (written < 0 && errno == EINTR) continue;
        // A write that takes nothing is a device with no room left.
        if (written <= 0) return Fail(std::strerror(written < 0 ? errno : ENOSPC));
        data += written;
        left -= static_cast<size_t>(written);
    }
    if (!pending_.empty()) unsynced_ = true;
    linesWritten_ += pendingLines_;
    pendingLines_ = 0;
    pending_.clear();
    return true;
}

// Also notices a file removed under the writer: its lines would go nowhere.
bool UserFileWriter::SyncNow() {
    if (seconds_) lastSync_ = seconds_();
    if (!Flush()) return false;
    if (!unsynced_) return true;
    unsynced_ = false;
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) return Fail(std::strerror(errno));
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && info.st_nlink == 0) return Fail("the file was removed");
    return true;
}

bool UserFileWriter::SyncIfDue() {
    if (fd_ < 0) return !failure_;
    if (seconds_ && seconds_() - lastSync_ < kSyncInterval) return true;
    return SyncNow();
}

bool UserFileWriter::Close() {
    if (fd_ < 0) return !failure_;
    if (!SyncNow()) return false;
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) return Fail(std::strerror(errno));
    return true;
}

bool UserFileWriter::Fail(const std::string& description) {
    if (!failure_) failure_ = UserFileFailure{path_, description, linesWritten_};
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return false;
}

}  // namespace zan
