#include "settings/settings_dates.h"

#include <cctype>

#include "core/whole_number.h"
#include "forms/main_form.h"

namespace zan {
namespace {

// The logger keeps a two-digit year of this century.
int FullYear(int year) { return year < 100 ? 2000 + year : year; }

}  // namespace

bool AllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (unsigned char c : text)
        if (!std::isdigit(c)) return false;
    return true;
}

std::vector<DateBoxes> CheckedDateOrders(MainForm& m) {
    const std::pair<MenuItem*, DateBoxes> formats[] = {
        {&m.mdy, {&m.Text1, &m.Text6, &m.Text7}}, {&m.dmy, {&m.Text6, &m.Text1, &m.Text7}},
        {&m.myd, {&m.Text1, &m.Text7, &m.Text6}}, {&m.dym, {&m.Text7, &m.Text1, &m.Text6}},
        {&m.ymd, {&m.Text6, &m.Text7, &m.Text1}}, {&m.ydm, {&m.Text7, &m.Text6, &m.Text1}},
    };
    std::vector<DateBoxes> orders;
    for (const auto& [item, boxes] : formats)
        if (item->Checked()) orders.push_back(boxes);
    return orders;
}

DateBoxes ShownDateOrder(MainForm& m) {
    const auto orders = CheckedDateOrders(m);
    if (!orders.empty()) return orders.front();
    return {&m.Text1, &m.Text6, &m.Text7};
}

std::string TwoCharacterField(const std::string& text) {
    std::string field = text.size() < 2 ? "0" + text : text;
    if (field.size() > 2) field = field.substr(field.size() - 2);
    return field;
}

int DaysInMonth(int month, int year) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    const int y = FullYear(year);
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::optional<CalendarDate> ParseMonthDayYear(const std::string& text) {
    std::string parts[3];
    int part = 0;
    for (char c : text) {
        if (c == '/' || c == '-') {
            if (++part > 2) return std::nullopt;
        } else if (c != ' ') {
            parts[part] += c;
        }
    }
    if (part != 2) return std::nullopt;
    long long numbers[3];
    for (int i = 0; i < 3; ++i) {
        const auto number = DigitsNumberIn(parts[i], 0, 9999);
        if (!number) return std::nullopt;
        numbers[i] = *number;
    }
    CalendarDate date{FullYear(static_cast<int>(numbers[2])), static_cast<int>(numbers[0]),
                      static_cast<int>(numbers[1])};
    if (date.day < 1 || date.day > DaysInMonth(date.month, date.year)) return std::nullopt;
    return date;
}

}  // namespace zan
