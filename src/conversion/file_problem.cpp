#include "conversion/file_problem.h"

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

}  // namespace zan
