#pragma once
#include <optional>
#include <string>
#include <vector>

namespace zan {

struct MainForm;
class TextBox;

// Which of the three date boxes holds the month, the day and the year.
struct DateBoxes {
    TextBox* month;
    TextBox* day;
    TextBox* year;
};

// The box order of every checked Options > Date Format item, in menu order.
std::vector<DateBoxes> CheckedDateOrders(MainForm& m);
// The order the frame shows: the first checked format, else Text1, Text6, Text7.
DateBoxes ShownDateOrder(MainForm& m);

// True for a text of decimal digits only (and at least one).
bool AllDigits(const std::string& text);

// The sensor's two-character field: one "0" in front of a shorter text, the
// last two characters of a longer one.
std::string TwoCharacterField(const std::string& text);

// Days of a month; two-digit years are years 2000 to 2099, as the logger keeps them.
int DaysInMonth(int month, int year);

// A calendar date read from text such as "07/04/06" or "7/4/2006" (month,
// day, year); nothing when it is not a valid date.
struct CalendarDate {
    int year, month, day;
};
std::optional<CalendarDate> ParseMonthDayYear(const std::string& text);

}  // namespace zan
