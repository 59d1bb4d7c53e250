#include "core/user_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/short_copy.h"

namespace zan {
namespace {

std::string LineCount(long long lines) {
    return std::to_string(lines) + (lines == 1 ? " line" : " lines");
}

FileIdentity IdentityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

long SystemWrite(int fd, const char* data, size_t size) { return ::write(fd, data, size); }

}  // namespace

std::string UserFileFailure::Message() const {
    std::string text = "Could not write to " + path + ": " + description + ". ";
    if (fileGone) return text + LineCount(linesInFile) + " had been written to it.";
    return text + LineCount(linesInFile) + (linesInFile == 1 ? " is" : " are") + " in the file.";
}

UserFileWriter::UserFileWriter(std::string path, Options options)
    : path_(std::move(path)),
      sync_(options.sync),
      seconds_(std::move(options.seconds)),
      batchBytes_(options.batchBytes),
      write_(options.write ? std::move(options.write) : SystemWrite) {
    Open(options.mode, options.inUse, options.use);
    if (seconds_) lastSync_ = seconds_();
}

// Opened without blocking so a pipe with no reader fails instead of freezing
// the window; writes then block as usual. Always appending: a file another
// program shortens gets the next line at its end, never after a hole.
void UserFileWriter::Open(Mode mode, const FilesInUse& inUse, const std::string& use) {
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NONBLOCK, 0666);
    std::string description = fd_ < 0 ? std::strerror(errno) : "";
    struct stat info {};
    if (fd_ >= 0 && ::fstat(fd_, &info) == 0) {
        identity_ = IdentityOf(info);
        regular_ = S_ISREG(info.st_mode);
        size_ = info.st_size;
        description = SameFileRefusal(identity_, inUse, use);
        if (description.empty() && mode == Mode::Create && regular_ && size_ > 0) {
            if (::ftruncate(fd_, 0) != 0) description = std::strerror(errno);
            size_ = 0;
        }
    }
    if (!description.empty()) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
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
    // The buffer grows at most once for the line, and the pieces are copied straight in.
    size_t size = 2;
    for (size_t i = 0; i < line.Count(); ++i) size += line[i].size();
    const size_t start = pendingSize_;
    if (start + size > pending_.size())
        pending_.resize(std::max(2 * pending_.size(), start + size));
    pendingSize_ += size;
    char* out = pending_.data() + start;
    for (size_t i = 0; i < line.Count(); ++i) out = CopyShort(out, line[i]);
    out[0] = '\r';
    out[1] = '\n';
    ++pendingLines_;
    if (sync_ == Sync::EveryLine) return SyncNow();
    // Lines held for a batch are not the system's yet: nothing to sync before it goes.
    if (pendingSize_ < batchBytes_) return true;
    if (!Flush()) return false;
    return SyncIfDue();
}

bool UserFileWriter::SyncIfDue() {
    if (fd_ < 0) return !failure_;
    if (sync_ != Sync::Periodically) return true;
    if (seconds_ && seconds_() - lastSync_ < kSyncInterval) return true;
    return SyncNow();
}

bool UserFileWriter::Flush() {
    size_t reached = 0;
    while (reached < pendingSize_) {
        const long written = write_(fd_, pending_.data() + reached, pendingSize_ - reached);
        if (written < 0 && errno == EINTR) continue;
        // A write that takes nothing is a device with no room left.
        if (written <= 0) return CutBack(reached, std::strerror(written < 0 ? errno : ENOSPC));
        reached += static_cast<size_t>(written);
    }
    if (pendingSize_ != 0) unsynced_ = true;
    size_ += static_cast<long long>(reached);
    linesInFile_ += pendingLines_;
    pendingLines_ = 0;
    pendingSize_ = 0;
    return true;
}

// Part of the pending lines reached the file: the last of them, torn, goes
// again, so the file ends with a whole line.
bool UserFileWriter::CutBack(size_t reached, const std::string& description) {
    size_t whole = reached;
    while (whole > 0 && pending_[whole - 1] != '\n') --whole;
    if (whole < reached && regular_)
        (void)::ftruncate(fd_, static_cast<off_t>(size_ + static_cast<long long>(whole)));
    linesInFile_ += std::count(pending_.begin(), pending_.begin() + static_cast<long>(whole), '\n');
    size_ += static_cast<long long>(whole);
    pendingSize_ = 0;
    pendingLines_ = 0;
    return Fail(description);
}

bool UserFileWriter::SyncNow() {
    if (seconds_) lastSync_ = seconds_();
    if (!Flush()) return false;
    if (unsynced_) {
        unsynced_ = false;
        if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
            return Fail(std::strerror(errno));
    }
    return CheckFile();
}

// Another program may remove, shorten or replace the file while it is written;
// the lines would then go nowhere, or after what it left.
bool UserFileWriter::CheckFile() {
    struct stat info {};
    if (!regular_ || ::fstat(fd_, &info) != 0) return true;
    if (info.st_nlink == 0)
        return Fail("the file was removed or replaced by another program", true);
    if (info.st_size < size_) {
        linesInFile_ = CountLinesInFile();
        return Fail("the file was shortened by another program");
    }
    size_ = info.st_size;
    struct stat named {};
    if (::stat(path_.c_str(), &named) != 0 || !(IdentityOf(named) == identity_))
        return Fail("the file was moved or replaced by another program", true);
    return true;
}

long long UserFileWriter::CountLinesInFile() const {
    const int fd = ::open(("/proc/self/fd/" + std::to_string(fd_)).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    long long lines = 0;
    char block[64 * 1024];
    long got;
    while ((got = ::read(fd, block, sizeof block)) > 0)
        lines += std::count(block, block + got, '\n');
    ::close(fd);
    return lines;
}

bool UserFileWriter::Close() {
    if (fd_ < 0) return !failure_;
    if (!SyncNow()) return false;
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) return Fail(std::strerror(errno));
    return true;
}

bool UserFileWriter::Fail(const std::string& description, bool gone) {
    if (!failure_) failure_ = UserFileFailure{path_, description, linesInFile_, gone};
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return false;
}

void WriteUserText(const std::string& path, UserFileWriter::Options options,
                   std::string_view text) {
    UserFileWriter file(path, std::move(options));
    bool written = true;
    while (written && !text.empty()) {
        const size_t end = text.find("\r\n");
        written = file.WriteLine(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 2);
    }
    if (!file.Close()) {
        const UserFileFailure& failure = *file.Failure();
        throw UserFileError(failure.Message(), failure.description);
    }
}

}  // namespace zan
