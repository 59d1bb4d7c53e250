#pragma once
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/field_stream.h"

namespace zan {

// What kept a file of the conversion from being read or written.
enum class ProblemKind {
    CannotOpen,  // missing, unreadable, a folder or a device
    NotText,     // a zero byte, or a line too long to be a line of text
    WrongTitle,  // a device file whose title is not a TRIA title
    TooShort,    // a device file that ends before its ninth coefficient line
    NotANumber,  // a coefficient or a count that is not a number
    SameFile,    // the converted file would overwrite the data or device file
    WriteFailed  // the converted file could not be written
};

// A problem with a file, where it was found: line and field count from 1,
// 0 meaning the file (or the line) as a whole.
struct FileProblem {
    ProblemKind kind;
    std::string file;
    long long line = 0;
    int field = 0;
    std::string what;
};

// "FILE: line 8123, field 7: WHAT".
std::string Describe(const FileProblem& problem);

// The text of a field as a message quotes it, cut short when it is long.
std::string Quoted(std::string_view text);

class FileProblemError : public std::runtime_error {
  public:
    explicit FileProblemError(FileProblem problem)
        : std::runtime_error(Describe(problem)), problem_(std::move(problem)) {}
    const FileProblem& Problem() const { return problem_; }

  private:
    FileProblem problem_;
};

// How the conversion reads its files: a lone CR ends a line as in the
// logger's files, and a zero byte anywhere or a field longer than 1 MiB means
// the file is not text.
inline constexpr FieldRules kConversionFieldRules{size_t{1} << 20, true, true};

// The reader's refusal of a file of the conversion, told as its other problems are.
FileProblem ReadingProblem(const FieldStreamError& error, const std::string& file);

// Opens a file for reading. Throws FileProblemError (CannotOpen) with the
// system's description, and for a folder or a device.
std::ifstream OpenForReading(const std::string& path);

}  // namespace zan
