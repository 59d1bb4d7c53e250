#pragma once
#include <string>

namespace zan {

// The capture file, written straight to the system a line at a time: each
// line, ended by CR LF, is handed over and synced before WriteLine returns,
// so a captured point survives a crash or a pulled cable.
class CaptureWriter {
  public:
    // Creates the file empty. Failures here and in WriteLine and Close throw
    // std::runtime_error naming the file and the system's description.
    explicit CaptureWriter(const std::string& path);
    // Closes without reporting: every line written is already on disk.
    ~CaptureWriter();
    CaptureWriter(const CaptureWriter&) = delete;
    CaptureWriter& operator=(const CaptureWriter&) = delete;

    void WriteLine(const std::string& text);
    void Close();
    const std::string& Path() const { return path_; }

  private:
    [[noreturn]] void Fail(const std::string& action, int error) const;
    std::string path_;
    int fd_ = -1;
    int lines_ = 0;
};

}  // namespace zan
