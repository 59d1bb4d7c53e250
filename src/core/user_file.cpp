#include "core/user_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <streambuf>

namespace zan {
namespace {

// Reads a file descriptor it owns, a block at a time.
class FileInput : public std::streambuf {
  public:
    explicit FileInput(int fd) : fd_(fd) {}
    ~FileInput() override { ::close(fd_); }
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;

  protected:
    int_type underflow() override {
        const std::streamsize got = ReadSome(buffer_, sizeof buffer_);
        if (got == 0) return traits_type::eof();
        setg(buffer_, buffer_, buffer_ + got);
        return traits_type::to_int_type(buffer_[0]);
    }

    // A reader's whole block goes straight into its memory, not through this
    // buffer a copy at a time.
    std::streamsize xsgetn(char* out, std::streamsize count) override {
        if (count < static_cast<std::streamsize>(sizeof buffer_))
            return std::streambuf::xsgetn(out, count);
        std::streamsize taken = std::min<std::streamsize>(count, egptr() - gptr());
        if (taken > 0) {
            std::memcpy(out, gptr(), static_cast<size_t>(taken));
            gbump(static_cast<int>(taken));
        }
        while (taken < count) {
            const std::streamsize got = ReadSome(out + taken, count - taken);
            if (got == 0) break;
            taken += got;
        }
        return taken;
    }

  private:
    std::streamsize ReadSome(char* out, std::streamsize count) {
        ssize_t got;
        do got = ::read(fd_, out, static_cast<size_t>(count));
        while (got < 0 && errno == EINTR);
        // A failing read is thrown, so the stream goes bad instead of seeming to end.
        if (got < 0) throw std::runtime_error("read failed");
        return got;
    }

    int fd_;
    char buffer_[64 * 1024];
};

// An istream that owns its buffer.
class FileInputStream : public std::istream {
  public:
    explicit FileInputStream(int fd) : std::istream(nullptr), buffer_(fd) {
        rdbuf(&buffer_);
        exceptions(std::ios::goodbit);
    }

  private:
    FileInput buffer_;
};

const char* WhatItIs(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISSOCK(mode)) return "a socket";
    return "a device";
}

}  // namespace

std::optional<FileIdentity> PathIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                        static_cast<std::uint64_t>(info.st_ino)};
}

std::string SameFileRefusal(const FileIdentity& identity, const FilesInUse& inUse,
                            const std::string& newUse) {
    for (const FileInUse& file : inUse)
        if (file.identity == identity)
            return "the file is already open as " + file.use + ", so it cannot also be " + newUse;
    return {};
}

UserFileInput OpenUserFile(const std::string& path, const std::string& kind, const std::string& use,
                           const FilesInUse& inUse) {
    // Without waiting: opening a pipe for reading would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const std::string description = std::strerror(errno);
        throw UserFileError("Could not open " + path + ": " + description, description);
    }
    struct stat info {};
    ::fstat(fd, &info);
    const FileIdentity identity{static_cast<std::uint64_t>(info.st_dev),
                                static_cast<std::uint64_t>(info.st_ino)};
    std::string refusal;
    if (!S_ISREG(info.st_mode))
        refusal = std::string("is ") + WhatItIs(info.st_mode) + ", not a " + kind;
    else if (std::string same = SameFileRefusal(identity, inUse, use); !same.empty())
        refusal = same;
    if (!refusal.empty()) {
        ::close(fd);
        throw UserFileError(S_ISREG(info.st_mode) ? "Could not open " + path + ": " + refusal + "."
                                                  : path + " " + refusal + ".",
                            refusal);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return {std::make_unique<FileInputStream>(fd), identity,
            static_cast<std::uint64_t>(info.st_size)};
}

std::string BinaryRefusal(const std::string& path, long long line, const std::string& kind) {
    return path + ", line " + std::to_string(line) + ": holds binary data, not a " + kind + ".";
}

std::string ReadUserTextFile(const std::string& path, const UserFileLimits& limits) {
    UserFileInput file = OpenUserFile(path, limits.kind);
    // Read one byte past the limit rather than trusting the size seen at
    // opening: the file may grow between the look and the read.
    std::string text(limits.maxBytes + 1, '\0');
    file.stream->read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.stream->bad()) throw std::runtime_error("Could not read " + path + ".");
    text.resize(static_cast<size_t>(file.stream->gcount()));
    if (text.size() > limits.maxBytes)
        throw std::runtime_error(path + " is too large for a " + limits.kind + " (more than " +
                                 std::to_string(limits.maxBytes) + " bytes).");
    const size_t zero = text.find('\0');
    if (zero != std::string::npos) {
        const auto line = std::count(text.begin(), text.begin() + static_cast<long>(zero), '\n');
        throw std::runtime_error(BinaryRefusal(path, line + 1, limits.kind));
    }
    return text;
}

std::string EscapedText(std::string_view bytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\t')
            text += "\\t";
        else if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\\')
            text += "\\\\";
        else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0))
            text += {'\\', 'x', kHex[u >> 4], kHex[u & 15]};
        else
            text += c;
    }
    return text;
}

}  // namespace zan
