#pragma once
#include <cstddef>
#include <string>

namespace zan {

// What a reader of a user's file accepts: the kind named in its messages
// ("Cal Info file") and the largest size such a file can sensibly have.
struct UserFileLimits {
    std::string kind;
    size_t maxBytes = 0;
};

// The text of a file the user chose or keeps, read only up to the limit.
// Throws std::runtime_error naming the file when it cannot be opened, is a
// folder or a device, is larger than the limit, or holds binary data, so
// nothing that is plainly not the reader's kind is loaded.
std::string ReadUserTextFile(const std::string& path, const UserFileLimits& limits);

// True when a block of bytes cannot be text: a NUL byte, or more control
// characters than line ends, tabs and form feeds explain.
bool LooksBinary(const std::string& bytes);

}  // namespace zan
