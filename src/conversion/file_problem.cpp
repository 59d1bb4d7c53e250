#include "conversion/file_problem.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zan {

std::string Describe(const FileProblem& problem) {
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
    if (text.size() <= kLongest) return '"' + std::string(text) + '"';
    return '"' + std::string(text.substr(0, kLongest)) + "...\"";
}

FileProblem ReadingProblem(const FieldStreamError& error, const std::string& file) {
    using Kind = FieldStreamError::Kind;
    constexpr const char* kNotText = ", so this is not a text file";
    switch (error.kind) {
        case Kind::ZeroByte:
            return {ProblemKind::NotText, file, error.line, 0,
                    std::string("holds a zero byte") + kNotText};
        case Kind::TooLong:
            return {ProblemKind::NotText, file, error.line, 0,
                    "is longer than " + std::to_string(kConversionFieldRules.longestField) +
                        " characters" + kNotText};
        default: return {ProblemKind::CannotOpen, file, error.line, 0, "could not be read"};
    }
}

std::ifstream OpenForReading(const std::string& path) {
    std::error_code ec;
    const auto type = std::filesystem::status(path, ec).type();
    const char* refusal =
        type == std::filesystem::file_type::directory ? "is a folder"
        : type == std::filesystem::file_type::block || type == std::filesystem::file_type::character
            ? "is a device, not a file"
            : nullptr;
    if (refusal) throw FileProblemError({ProblemKind::CannotOpen, path, 0, 0, refusal});
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileProblemError(
            {ProblemKind::CannotOpen, path, 0, 0, errno ? std::strerror(errno) : "cannot be read"});
    return in;
}

}  // namespace zan
