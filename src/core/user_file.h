#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zan {

// A file's device and inode: the same for every name that reaches it (the
// name, "./name", a symbolic or a hard link).
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
};

// A file the program or a tool has open, and what for, as messages name it
// ("the raw log", "the raw log being played back").
struct FileInUse {
    FileIdentity identity;
    std::string use;
};
using FilesInUse = std::vector<FileInUse>;

// A file the user chose or keeps could not be opened or was refused; the
// text names the file.
class UserFileError : public std::runtime_error {
  public:
    UserFileError(const std::string& text, std::string description)
        : std::runtime_error(text), description_(std::move(description)) {}
    // The system's words (or the refusal's) alone, without the file's name.
    const std::string& Description() const { return description_; }

  private:
    std::string description_;
};

// The identity of the file a path names, following links; none when nothing is there.
std::optional<FileIdentity> PathIdentity(const std::string& path);

// "the file is already open as USE, so it cannot also be NEWUSE", when the
// identity is one of the files in use; else empty.
std::string SameFileRefusal(const FileIdentity& identity, const FilesInUse& inUse,
                            const std::string& newUse);

// A user's file opened for reading: a stream over it, which file it is and
// its size when opened.
struct UserFileInput {
    std::unique_ptr<std::istream> stream;
    FileIdentity identity;
    std::uint64_t size = 0;
};

// Opens a file for reading without ever waiting: a folder, a device, a pipe
// or a socket is refused at once ("PATH is a pipe, not a raw log."), and so
// is one of the files in use (use names what the file is being opened as).
// Throws UserFileError naming the file.
UserFileInput OpenUserFile(const std::string& path, const std::string& kind,
                           const std::string& use = {}, const FilesInUse& inUse = {});

// "PATH, line N: holds binary data, not a KIND." for a zero byte on line N.
std::string BinaryRefusal(const std::string& path, long long line, const std::string& kind);

// What a reader of a small file accepts: the kind named in its messages
// ("quick setup file") and the largest size such a file can sensibly have.
struct UserFileLimits {
    std::string kind;
    size_t maxBytes = 0;
};

// The text of a small file, read whole up to the limit. Throws
// std::runtime_error naming the file for everything OpenUserFile refuses, a
// file larger than the limit and one holding a zero byte anywhere.
std::string ReadUserTextFile(const std::string& path, const UserFileLimits& limits);

// A file's bytes as a message may show them: printable bytes as they are,
// control bytes (tabs and line ends included) as \t, \r, \n or \xNN, so no
// escape sequence reaches a terminal.
std::string EscapedText(std::string_view bytes);

}  // namespace zan
