#include "shell/settings_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "core/number_text.h"
#include "core/number_value.h"
#include "core/text_file.h"
#include "core/user_file.h"
#include "core/user_file_writer.h"
#include "ports/port_map.h"

namespace zan {
namespace {

float WholeCodeOrZero(double value, int highest) {
    const bool valid = value >= 1 && value <= highest && value == static_cast<int>(value);
    return valid ? static_cast<float>(value) : 0.0f;
}

std::optional<bool> TruthValue(std::string field) {
    const auto blank = [](unsigned char c) { return c == ' ' || c == '\t'; };
    while (!field.empty() && blank(static_cast<unsigned char>(field.back()))) field.pop_back();
    size_t start = 0;
    while (start < field.size() && blank(static_cast<unsigned char>(field[start]))) ++start;
    field.erase(0, start);
    std::transform(field.begin(), field.end(), field.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (field == "true") return true;
    if (field == "false") return false;
    return std::nullopt;
}

// Both files hold a few short lines.
const UserFileLimits kQuickSetupLimits{"quick setup file", 64 * 1024};
const UserFileLimits kPreferencesLimits{"preference file", 64 * 1024};

// A file's fields, or nothing when there is no such file.
std::optional<FieldReader> ReaderIfPresent(const std::string& path, const UserFileLimits& limits) {
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) return std::nullopt;
    return FieldReader(ReadUserTextFile(path, limits));
}

std::optional<QuickSetupChoice> ReadQuickSetup(FieldReader& reader) {
    try {
        const double instrument = NumberValue(reader.ReadField());
        const double port = NumberValue(reader.ReadField());
        return QuickSetupChoice{WholeCodeOrZero(instrument, 5), WholeCodeOrZero(port, kPortCount)};
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

std::optional<DateFormatMarks> ReadPreferences(FieldReader& reader) {
    DateFormatMarks marks{};
    try {
        for (bool& mark : marks) {
            const auto value = TruthValue(reader.ReadField());
            if (!value) return std::nullopt;
            mark = *value;
        }
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
    return marks;
}

void WriteFile(const std::string& path, const std::string& content) {
    if (path.empty()) throw std::runtime_error("No file name");
    WriteUserText(path, {"the settings file"}, content);
}

}  // namespace

std::optional<QuickSetupChoice> ParseQuickSetup(const std::string& content) {
    FieldReader reader(content);
    return ReadQuickSetup(reader);
}

std::string FormatQuickSetup(const QuickSetupChoice& choice) {
    return GeneralTextSingle(choice.instrument) + "\r\n" + GeneralTextSingle(choice.port) + "\r\n";
}

std::optional<QuickSetupChoice> ReadQuickSetupFile(const std::string& path) {
    auto reader = ReaderIfPresent(path, kQuickSetupLimits);
    if (!reader) return std::nullopt;
    return ReadQuickSetup(*reader);
}

void WriteQuickSetupFile(const std::string& path, const QuickSetupChoice& choice) {
    WriteFile(path, FormatQuickSetup(choice));
}

std::optional<DateFormatMarks> ParsePreferences(const std::string& content) {
    FieldReader reader(content);
    return ReadPreferences(reader);
}

std::string FormatPreferences(const DateFormatMarks& marks) {
    std::string out;
    for (bool mark : marks) out += mark ? "True\r\n" : "False\r\n";
    return out;
}

std::optional<DateFormatMarks> ReadPreferencesFile(const std::string& path) {
    auto reader = ReaderIfPresent(path, kPreferencesLimits);
    if (!reader) return std::nullopt;
    return ReadPreferences(*reader);
}

void WritePreferencesFile(const std::string& path, const DateFormatMarks& marks) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) throw std::runtime_error(error.message() + ": " + folder.string());
    }
    WriteFile(path, FormatPreferences(marks));
}

}  // namespace zan
