#include "conversion/file_problem.h"

#include "core/user_file.h"

namespace zan {

std::string Describe(const FileProblem& problem) {
    if (!problem.told.empty()) return problem.told;
    std::string text = problem.file + ": ";
    if (problem.line > 0) {
        text += "line " + std::to_string(problem.line);
        if (problem.field > 0) text += ", field " + std::to_string(problem.field);
        text += ": ";
    }
    return text + problem.what;
}

std::string Quoted(std::string_view text) {
    constexpr size_t kLongest = 40;
    if (text.size() <= kLongest) return '"' + EscapedText(text) + '"';
    return '"' + EscapedText(text.substr(0, kLongest)) + "...\"";
}

FileProblem ReadingProblem(const FieldStreamError& error, const std::string& file) {
    using Kind = FieldStreamError::Kind;
    constexpr const char* kNotText = ", so this is not a text file";
    switch (error.kind) {
        case Kind::ZeroByte: return {ProblemKind::NotText, file, error.line, 0, {}, error.what()};
        case Kind::TooLong:
            return {ProblemKind::NotText, file, error.line, 0,
                    "is longer than " + std::to_string(kConversionFieldRules.longestField) +
                        " characters" + kNotText};
        default: return {ProblemKind::CannotOpen, file, error.line, 0, "could not be read"};
    }
}

UserFileInput OpenForReading(const std::string& path, const std::string& kind) {
    try {
        return OpenUserFile(path, kind);
    } catch (const UserFileError& e) {
        throw FileProblemError({ProblemKind::CannotOpen, path, 0, 0, e.Description(), e.what()});
    }
}

}  // namespace zan
