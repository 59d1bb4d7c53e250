#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace zan::test {

// Makes every later write to an open file fail as on a full disk: the
// descriptor this process holds on the path is pointed at /dev/full.
// Returns false when the process holds no descriptor on the path.
inline bool FillDiskUnder(const std::filesystem::path& path) {
    const auto target = std::filesystem::canonical(path);
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error) != target) continue;
        const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        const int fd = std::stoi(entry.path().filename().string());
        const bool moved = ::dup2(full, fd) == fd;
        ::close(full);
        return moved;
    }
    return false;
}

}  // namespace zan::test
