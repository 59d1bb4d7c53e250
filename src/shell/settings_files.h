#pragma once
#include <array>
#include <optional>
#include <string>

namespace zan {

// What def.zhl remembers: the quick-setup instrument code (1..5, 0 none) and
// the port number (1..4, 0 none).
struct QuickSetupChoice {
    float instrument = 0;
    float port = 0;
};

// def.zhl's content: the first number of each of its two lines. Nothing when
// a line is missing. A code that names no instrument or port reads as 0, so
// a damaged file cannot leave an unknown instrument code behind.
std::optional<QuickSetupChoice> ParseQuickSetup(const std::string& content);
// Two lines, CR LF ended: the instrument code, then the port number.
std::string FormatQuickSetup(const QuickSetupChoice& choice);
// Nothing when the file is missing or short. Throws std::runtime_error naming
// the file when it is there but cannot be read or is plainly no quick setup
// file (a folder, a device, binary, far too large).
std::optional<QuickSetupChoice> ReadQuickSetupFile(const std::string& path);
// Throws std::runtime_error with the system's description.
void WriteQuickSetupFile(const std::string& path, const QuickSetupChoice& choice);

// The check marks of the six date formats in zhost.def's line order:
// MM/DD/YY, DD/MM/YY, DD/YY/MM, MM/YY/DD, YY/DD/MM, YY/MM/DD.
using DateFormatMarks = std::array<bool, 6>;

// zhost.def's content: six "True" or "False" lines, in any letter case.
// Nothing when a line is missing or is not a truth value.
std::optional<DateFormatMarks> ParsePreferences(const std::string& content);
// Six lines "True" or "False", CR LF ended.
std::string FormatPreferences(const DateFormatMarks& marks);
// Nothing when the file is missing or damaged; throws as ReadQuickSetupFile.
std::optional<DateFormatMarks> ReadPreferencesFile(const std::string& path);
// Creates the file's folder when it is missing. Throws std::runtime_error
// with the system's description.
void WritePreferencesFile(const std::string& path, const DateFormatMarks& marks);

}  // namespace zan
