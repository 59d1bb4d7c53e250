#include "core/user_file.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "core/text_file.h"

namespace zan {
namespace {

// Eight-bit text may carry a stray control character; one in eight bytes means noise.
constexpr size_t kControlShare = 8;

std::runtime_error Refusal(const std::string& path, const std::string& what,
                           const UserFileLimits& limits) {
    return std::runtime_error(path + " " + what + ", not a " + limits.kind + ".");
}

}  // namespace

bool LooksBinary(const std::string& bytes) {
    size_t controls = 0;
    for (unsigned char c : bytes) {
        if (c == 0) return true;
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f') || c == 0x7f) ++controls;
    }
    return controls * kControlShare > bytes.size();
}

std::string ReadUserTextFile(const std::string& path, const UserFileLimits& limits) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) throw std::runtime_error(error.message() + ": " + path);
    if (fs::is_directory(status)) throw Refusal(path, "is a folder", limits);
    if (!fs::is_regular_file(status)) throw Refusal(path, "is a device", limits);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(FileErrorDescription(path));
    // Read one byte past the limit rather than trusting the size the folder
    // reported: the file may grow between the look and the read.
    std::string text(limits.maxBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) throw std::runtime_error(FileErrorDescription(path));
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > limits.maxBytes)
        throw std::runtime_error(path + " is too large for a " + limits.kind + " (more than " +
                                 std::to_string(limits.maxBytes) + " bytes).");
    if (LooksBinary(text)) throw Refusal(path, "holds binary data", limits);
    return text;
}

}  // namespace zan
