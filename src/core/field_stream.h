#pragma once
#include <cstdint>
#include <istream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace zan {

// A stored file that cannot be read as one of the program's text files; the
// text names the file and, where known, the line.
class FieldStreamError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads text field by field as the program's stored files are read (a field
// ends at a comma, a CR LF pair, a lone CR or a lone LF; leading blanks are
// skipped; a field that begins with a double quote runs to the closing
// quote), taking the text from the stream a block at a time, so memory does
// not depend on the size of the file.
class FieldStream {
  public:
    // Longer fields are refused: no file of the program holds one, and reading
    // it whole would let a file without line ends fill the memory.
    static constexpr size_t kFieldLimit = 65536;

    // Reads from a stream; name is used in failures.
    FieldStream(std::unique_ptr<std::istream> in, std::string name);
    // Opens a file; refuses a folder, a device and a file with NUL bytes
    // (not text) with a FieldStreamError naming it.
    explicit FieldStream(const std::string& path);

    // The next field. Throws FieldStreamError "Input past end of file" when
    // nothing is left, and for a field longer than kFieldLimit.
    std::string ReadField();
    // The same into a text the caller reuses.
    void ReadField(std::string& field);
    bool AtEnd();
    // The line the last field read began on, counting from 1.
    long long Line() const { return fieldLine_; }
    std::uint64_t BytesRead() const { return bytesRead_ - (end_ - next_); }
    // The file's size in bytes, 0 when not known.
    std::uint64_t Size() const { return size_; }
    const std::string& Name() const { return name_; }

  private:
    static constexpr int kEnd = -1;
    bool Fill();
    int Peek() { return next_ < end_ || Fill() ? static_cast<unsigned char>(*next_) : kEnd; }
    int Take() { return next_ < end_ || Fill() ? static_cast<unsigned char>(*next_++) : kEnd; }
    void Add(std::string& field, const char* from, size_t count);

    std::unique_ptr<std::istream> in_;
    std::string name_;
    std::vector<char> buffer_;
    const char* next_ = nullptr;
    const char* end_ = nullptr;
    long long line_ = 1;
    long long fieldLine_ = 0;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t size_ = 0;
};

}  // namespace zan
