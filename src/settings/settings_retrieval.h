#pragma once
#include <optional>
#include <string>

#include "core/short_date.h"

namespace zan {

struct Context;
class ListBox;

// Index of the newest settings echo ("P", "p", ">P" or ">p") among the last
// entries of the receive list, from firstEntry on, or -1 when the sensor did
// not answer.
int FindSettingsEcho(const ListBox& list, int firstEntry = 0);

// The capacity caption for a logger memory pointer: " 12.5%" for 8192.
std::string CapacityCaption(double memoryPointer);

// The sensor's clock line ("date", tab, time count with 64800 counts a day).
struct InstrumentClock {
    int year, month, day;
    int hours, minutes, seconds;
};
std::optional<InstrumentClock> ParseClockLine(const std::string& line);

// Retrieve Settings: wakes the sensor, queries settings and clock, fills the frame.
void Command3_Click(Context& ctx);
// Parses the settings reply; entries before firstEntry came before the query.
void ReadLoggerSettings(Context& ctx, int firstEntry = 0);
// Parses the clock reply into the date and time boxes and compares it with
// the computer's clock as it was when the clock was asked for.
void ReadInstrumentClock(Context& ctx, const LocalDateTime& askedAt);

}  // namespace zan
