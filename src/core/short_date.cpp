#include "core/short_date.h"

namespace zan {
namespace {

std::string Padded(int value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

}  // namespace

std::string FormatShortDate(const LocalDateTime& date, const std::string& pattern) {
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        if (c == 'd')
            out += Padded(date.day, run >= 2 ? 2 : 1);
        else if (c == 'M')
            out += Padded(date.month, run >= 2 ? 2 : 1);
        else if (c == 'y')
            out += run <= 2 ? Padded(date.year % 100, 2) : Padded(date.year, 4);
        else
            out.append(run, c);
        i += run;
    }
    return out;
}

}  // namespace zan
