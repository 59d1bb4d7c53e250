#pragma once
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zan::test {

// A file's bytes exactly, CR LF and all.
inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace zan::test
