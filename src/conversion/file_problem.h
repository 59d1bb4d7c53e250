#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/field_stream.h"

namespace zan {

// What kept a file of the conversion from being read or written.
enum class ProblemKind {
    CannotOpen,  // missing, unreadable, not a file, or a file the conversion reads
    NotText,     // a zero byte, or a line too long to be a line of text
    WrongKind,   // a raw log, a recording or a device file given as the data file
    WrongTitle,  // a device file whose title is not a TRIA title
    TooShort,    // a device file that ends before its ninth coefficient line
    NotANumber,  // a coefficient or a count that is not a number
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
    // The whole message where the reader of every user file already told it.
    std::string told = {};
};

// "FILE: line 8123, field 7: WHAT", or what the reader told.
std::string Describe(const FileProblem& problem);

// The text of a field as a message quotes it, cut short when it is long,
// its control bytes escaped.
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
// logger's files, and a field longer than 1 MiB means the file is not text.
inline constexpr FieldRules kConversionFieldRules{size_t{1} << 20, true};

// The reader's refusal of a file of the conversion, told as its other problems are.
FileProblem ReadingProblem(const FieldStreamError& error, const std::string& file);

// Opens a file of the conversion for reading as every user file is opened
// (kind as refusals name it: "TRIA data file"). Throws FileProblemError
// (CannotOpen) with the refusal or the system's description.
UserFileInput OpenForReading(const std::string& path, const std::string& kind);

}  // namespace zan
