#include "statistics/capture_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace zan {
namespace {

// A device or pipe cannot be synced; what was written has reached it all the same.
bool Synced(int fd) { return fdatasync(fd) == 0 || errno == EINVAL; }

}  // namespace

CaptureWriter::CaptureWriter(const std::string& path) : path_(path) {
    fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0)
        throw std::runtime_error("Could not create the capture file " + path + ": " +
                                 std::strerror(errno));
}

CaptureWriter::~CaptureWriter() {
    if (fd_ >= 0) close(fd_);
}

void CaptureWriter::Fail(const std::string& action, int error) const {
    throw std::runtime_error("Could not " + action + " the capture file " + path_ + " after " +
                             std::to_string(lines_) + (lines_ == 1 ? " line: " : " lines: ") +
                             std::strerror(error));
}

void CaptureWriter::WriteLine(const std::string& text) {
    const std::string line = text + "\r\n";
    for (size_t done = 0; done < line.size();) {
        const ssize_t n = write(fd_, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("write", errno);
        done += static_cast<size_t>(n);
    }
    if (!Synced(fd_)) Fail("write", errno);
    ++lines_;
}

void CaptureWriter::Close() {
    const int fd = fd_;
    fd_ = -1;
    const bool synced = Synced(fd);
    const int syncError = errno;
    if (close(fd) != 0) Fail("close", errno);
    if (!synced) Fail("close", syncError);
}

}  // namespace zan
