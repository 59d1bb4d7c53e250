#pragma once
#include <string>

#include "core/short_date.h"
#include "settings/settings_retrieval.h"

namespace zan {

struct Context;

// Seconds the sensor's clock stands ahead of the computer's (behind when negative).
long long SensorClockAhead(const InstrumentClock& sensor, const LocalDateTime& computer);
// The two clocks side by side and how far apart: "Sensor 2026-12-06 12:00:00,
// computer 2026-12-06 12:00:37: sensor clock 37 s behind".
std::string ClockComparison(const InstrumentClock& sensor, const LocalDateTime& computer);

// The "Computer clock" choice: the date boxes (in the date format shown) and
// the time boxes take the computer's date and time of this moment.
bool ComputerClockChosen(Context& ctx);
void FillDateFromComputer(Context& ctx);
void FillTimeFromComputer(Context& ctx);

}  // namespace zan
