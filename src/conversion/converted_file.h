#pragma once
#include <string>
#include <string_view>

#include "conversion/tria_records.h"

namespace zan {

// The converted file, created from empty. Each line goes to the system as it
// is written, so the lines converted before a failure stay in the file even
// if the program dies; the file is synced to disk when it is closed. The first
// failure closes the file and is thrown once, naming the file and how many
// lines reached it; later lines are ignored.
class ConvertedFile : public LineSink {
  public:
    // Throws FileProblemError (CannotOpen) with the system's description.
    explicit ConvertedFile(std::string path);
    ~ConvertedFile() override;
    ConvertedFile(const ConvertedFile&) = delete;
    ConvertedFile& operator=(const ConvertedFile&) = delete;

    // Writes the text and CR LF.
    void WriteLine(std::string_view text) override;
    // Syncs and closes; throws FileProblemError (WriteFailed).
    void Close();

  private:
    [[noreturn]] void Fail(int error);

    std::string path_;
    int fd_ = -1;
    long long lines_ = 0;
    std::string line_;
};

}  // namespace zan
