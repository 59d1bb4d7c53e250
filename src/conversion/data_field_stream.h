#pragma once
#include <cstddef>
#include <fstream>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace zan {

// Reads a stored text file field by field, as the program reads every stored
// file (a field ends at a comma or a line end, leading blanks are skipped, a
// field that begins with a double quote runs to the closing quote), but from a
// stream one block at a time, so memory stays the same whatever the file's
// size. A zero byte, or a field longer than kLongestField, means the file is
// not text: FileProblemError (NotText) naming the line.
class DataFieldStream {
  public:
    static constexpr size_t kBlockSize = size_t{1} << 20;
    static constexpr size_t kLongestField = size_t{1} << 20;

    // name: the file as messages call it.
    DataFieldStream(std::istream& in, std::string name, size_t blockSize = kBlockSize);

    // Moves to the next field; false when the file is exhausted.
    bool Next();
    // The current field, valid until the next call of Next.
    std::string_view Text() const { return text_; }
    // The line the current field starts on, from 1.
    long long Line() const { return fieldLine_; }
    // Which tab-separated field of its line the current field starts with,
    // from 1: past 1 only after a comma split the line.
    int FirstField() const { return firstField_; }
    unsigned long long BytesRead() const { return bytesRead_; }
    const std::string& Name() const { return name_; }

  private:
    bool Available();
    void Keep(size_t from, size_t to);
    void ReadQuoted();
    [[noreturn]] void NotText(const std::string& what);

    std::istream& in_;
    std::string name_;
    std::vector<char> block_;
    size_t pos_ = 0;
    size_t end_ = 0;
    std::string kept_;
    std::string_view text_;
    long long line_ = 1;
    long long fieldLine_ = 1;
    int firstField_ = 1;
    int nextFirstField_ = 1;
    // A CR ended the last field: an LF right after it belongs to that line end.
    bool skipLf_ = false;
    unsigned long long bytesRead_ = 0;
};

// Opens a file for reading. Throws FileProblemError (CannotOpen) with the
// system's description, and for a folder or a device.
std::ifstream OpenForReading(const std::string& path);

}  // namespace zan
