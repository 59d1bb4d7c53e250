#include "settings/sensor_clock.h"

#include <cstdio>

#include "context/context.h"
#include "core/duration_text.h"
#include "settings/settings_dates.h"

namespace zan {
namespace {

// The sensor counts 64800 a day, a count each 1.33 s: clocks this close are in step.
constexpr long long kInStep = 2;

// Days since 1970-01-01 of a calendar date.
long long DaysFromCivil(long long year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long long SecondsOf(int year, int month, int day, int hour, int minute, int second) {
    return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

std::string Stamp(int year, int month, int day, int hour, int minute, int second) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text;
}

std::string TwoDigits(int n) { return TwoCharacterField(std::to_string(n)); }

}  // namespace

long long SensorClockAhead(const InstrumentClock& sensor, const LocalDateTime& computer) {
    return SecondsOf(sensor.year, sensor.month, sensor.day, sensor.hours, sensor.minutes,
                     sensor.seconds) -
           SecondsOf(computer.year, computer.month, computer.day, computer.hour, computer.minute,
                     computer.second);
}

std::string ClockComparison(const InstrumentClock& sensor, const LocalDateTime& computer) {
    const long long ahead = SensorClockAhead(sensor, computer);
    const std::string apart =
        ahead > -kInStep && ahead < kInStep
            ? "sensor clock in step"
            : "sensor clock " + DurationText(ahead) + (ahead > 0 ? " ahead" : " behind");
    return "Sensor " +
           Stamp(sensor.year, sensor.month, sensor.day, sensor.hours, sensor.minutes,
                 sensor.seconds) +
           ", computer " +
           Stamp(computer.year, computer.month, computer.day, computer.hour, computer.minute,
                 computer.second) +
           ": " + apart;
}

bool ComputerClockChosen(Context& ctx) { return ctx.main.ComputerClock.Value() == 1; }

void FillDateFromComputer(Context& ctx) {
    const LocalDateTime now = ctx.platform.clock.Now();
    const DateBoxes boxes = ShownDateOrder(ctx.main);
    boxes.month->SetText(TwoDigits(now.month));
    boxes.day->SetText(TwoDigits(now.day));
    boxes.year->SetText(TwoDigits(now.year % 100));
}

void FillTimeFromComputer(Context& ctx) {
    const LocalDateTime now = ctx.platform.clock.Now();
    ctx.main.Text5.SetText(std::to_string(now.hour));
    ctx.main.Text8.SetText(TwoDigits(now.minute));
    ctx.main.Text48.SetText(TwoDigits(now.second));
}

}  // namespace zan
