#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/user_file.h"

namespace zan {

// A stored file that cannot be read as one of the program's text files; the
// text names the file and, where known, the line.
class FieldStreamError : public std::runtime_error {
  public:
    enum class Kind { Open, PastEnd, TooLong, ZeroByte, ReadFailed };
    FieldStreamError(Kind kind, long long line, const std::string& text)
        : std::runtime_error(text), kind(kind), line(line) {}
    Kind kind;
    // Where the reader was, from 1; 0 for the file as a whole.
    long long line;
};

// Where the program's kinds of stored file are read differently.
struct FieldRules {
    // Longer fields are refused: reading one whole would let a file without
    // line ends fill the memory.
    size_t longestField = 65536;
    // Whether a lone CR ends a line in the count (as a logger's data file
    // ends its lines) or only a line feed does, as an editor shows the Cal
    // Info file's lone carriage return line.
    bool loneCrEndsLine = false;
};

// Reads text field by field as the program's stored files are read (a field
// ends at a comma, a CR LF pair, a lone CR or a lone LF; leading blanks are
// skipped; a field that begins with a double quote runs to the closing quote,
// and what follows it up to the field's end is dropped), taking the text from
// the stream a block at a time, so memory does not depend on the size of the
// file. A zero byte anywhere, or a failing read, refuses the file: a file
// that is not text is never taken for one, however late its first zero byte.
class FieldStream {
  public:
    static constexpr size_t kBlockSize = size_t{1} << 20;

    // Reads from a stream the caller keeps; name is used in failures and
    // kind ("raw log") in the refusal of binary data.
    FieldStream(std::istream& in, std::string name, FieldRules rules = {},
                size_t blockSize = kBlockSize, std::string kind = "text file");
    // Reads from a stream it keeps.
    FieldStream(std::unique_ptr<std::istream> in, std::string name);
    // Opens a user's file as OpenUserFile does (use and inUse as there) and
    // throws its refusal as a FieldStreamError (Open) naming the file.
    FieldStream(const std::string& path, const std::string& kind, FieldRules rules = {},
                const std::string& use = {}, const FilesInUse& inUse = {});

    // Moves to the next field; false when the file is exhausted.
    bool Next();
    // The current field, valid until the next call of Next or AtEnd.
    std::string_view Text() const { return text_; }
    // The next field as a copy. Throws FieldStreamError "Input past end of
    // file" when nothing is left.
    std::string ReadField();
    // The same into a text the caller reuses.
    void ReadField(std::string& field);
    bool AtEnd() { return (skipLf_ || pos_ >= end_) && !SkipLineFeed(); }

    // The line the last field read began on, counting from 1.
    long long Line() const { return fieldLine_; }
    // Which tab-separated field of its line the current field starts with,
    // from 1: past 1 only after a comma split the line.
    int FirstField() const { return firstField_; }
    // The bytes used up by the fields read so far.
    std::uint64_t BytesRead() const { return bytesFetched_ - (end_ - pos_); }
    // The bytes taken from the stream so far, a block at a time.
    std::uint64_t BytesFetched() const { return bytesFetched_; }
    // The file's size in bytes, 0 when not known.
    std::uint64_t Size() const { return size_; }
    const std::string& Name() const { return name_; }
    // The file opened by path; empty for a stream.
    const FileIdentity& Identity() const { return identity_; }

  private:
    bool Available() { return pos_ < end_ || Fill(); }
    bool Fill();
    bool SkipLineFeed();
    const char* Scan(const char* p, const char* end) const;
    bool EndField();
    void CheckLength(size_t length);
    void SkipRestOfLine();
    void CountLineEnd(char stop);
    void Keep(size_t from, size_t to);
    void ReadQuoted();
    [[noreturn]] void Refuse(FieldStreamError::Kind kind, const std::string& what) const;
    [[noreturn]] void RefuseBinary() const;

    std::unique_ptr<std::istream> owned_;
    std::istream* in_;
    std::string name_;
    FieldRules rules_;
    std::string kind_;
    FileIdentity identity_;
    // Left uninitialised: only the bytes read into it are looked at.
    std::unique_ptr<char[]> block_;
    size_t blockSize_;
    size_t pos_ = 0;
    size_t end_ = 0;
    std::string kept_;
    std::string_view text_;
    long long line_ = 1;
    long long fieldLine_ = 0;
    int firstField_ = 1;
    int nextFirstField_ = 1;
    // A CR ended the last field at the end of its block: an LF starting the
    // next block belongs to that line end.
    bool skipLf_ = false;
    std::uint64_t bytesFetched_ = 0;
    std::uint64_t size_ = 0;
};

}  // namespace zan
