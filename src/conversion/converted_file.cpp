#include "conversion/converted_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "conversion/file_problem.h"

namespace zan {

ConvertedFile::ConvertedFile(std::string path) : path_(std::move(path)) {
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0)
        throw FileProblemError({ProblemKind::CannotOpen, path_, 0, 0, std::strerror(errno)});
}

ConvertedFile::~ConvertedFile() {
    if (fd_ >= 0) ::close(fd_);
}

void ConvertedFile::Fail(int error) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    throw FileProblemError(
        {ProblemKind::WriteFailed, path_, 0, 0,
         std::string(std::strerror(error)) + " after " + std::to_string(lines_) + " lines"});
}

void ConvertedFile::WriteLine(std::string_view text) {
    if (fd_ < 0) return;
    line_.assign(text);
    line_ += "\r\n";
    for (size_t done = 0; done < line_.size();) {
        const ssize_t n = ::write(fd_, line_.data() + done, line_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail(n < 0 ? errno : ENOSPC);
        done += static_cast<size_t>(n);
    }
    ++lines_;
}

void ConvertedFile::Close() {
    if (fd_ < 0) return;
    // A file system that cannot sync this file (a pipe, a device) still keeps it.
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) Fail(errno);
}

}  // namespace zan
