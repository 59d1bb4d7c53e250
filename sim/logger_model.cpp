#include "sim/logger_model.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/whole_number.h"

namespace zan::sim {
namespace {

constexpr double kSecondsPerDay = 86400;
constexpr double kClockCountsPerDay = 64800;
constexpr size_t kBitCount = 6;
constexpr size_t kDateDigits = 6;  // MMDD, then YY

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

int DaysIn(int month, int year) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[(month - 1 + 12) % 12];
}

}  // namespace

void LoggerModel::SetClock(int year, int month, int day, double secondOfDay, double now) {
    year_ = year;
    month_ = month;
    day_ = day;
    secondOfDay_ = secondOfDay;
    clockSetAt_ = now;
}

std::string LoggerModel::ClockLine(double now) const {
    double seconds = secondOfDay_ + (now - clockSetAt_);
    int year = year_, month = month_, day = day_;
    while (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        if (++day > DaysIn(month, year)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d\t%ld", month, day, year % 100,
                  static_cast<long>(std::floor(seconds * kClockCountsPerDay / kSecondsPerDay)));
    return text;
}

std::string LoggerModel::SettingsReply() const {
    const char* names[kBitCount] = {"AutoStart ", "Bit2 ",   "Bit3 ",
                                    "LogEnable ", "WakeUp ", "Append "};
    std::string reply = promptBeforeEcho ? ">P\r\n" : "P\r\n";
    for (size_t i = 0; i < kBitCount; ++i)
        reply += names[i] + std::string(1, controlBits[i]) + "\r\n";
    reply += "S=" + Number(smoothing) + "\r\n";
    reply += "D=" + Number(blockDelayHours) + "\r\n";
    reply += "Q=" + Number(blockLength) + "\r\n";
    reply += "I=" + Number(measurementDelay) + "\r\n";
    reply += "MP=" + Number(memoryPointer) + "\r\n";
    return reply + ">";
}

std::string LoggerModel::Begin(char command, double now) {
    value_.clear();
    switch (command) {
        case 'P': return SettingsReply();
        case 'C': return "C\r\n" + ClockLine(now) + "\r\n>";
        case 'B': pending_ = 'B'; return "B\r\nControl bits: ";
        case 'D': pending_ = 'D'; return "D\r\nDelay before data blocks (hours): ";
        case 'I': pending_ = 'I'; return "I\r\nDelay between measurements (s): ";
        case 'Q': pending_ = 'Q'; return "Q\r\nMeasurements per block: ";
        case 'T': pending_ = 'T'; return "T\r\nSamples per measurement: ";
        case 'U': pending_ = 'U'; return "U\r\nDate MMDDYY: ";
        default: return {};
    }
}

void LoggerModel::CancelInput() {
    pending_ = 0;
    value_.clear();
}

std::string LoggerModel::Take(char c, double now) {
    if (c == '\n') return {};
    if (c != '\r') {
        value_ += c;
        std::string echo(1, c);
        if (pending_ == 'B' && value_.size() == kBitCount) return echo + Finish(now);
        if (pending_ == 'U' && value_.size() == kDateDigits) return echo + "\r\nTime HHMM: ";
        return echo;
    }
    return Finish(now);
}

std::string LoggerModel::Finish(double now) {
    const char command = pending_;
    const std::string value = value_;
    CancelInput();
    const double number = std::strtod(value.c_str(), nullptr);
    switch (command) {
        case 'B':
            for (size_t i = 0; i < kBitCount; ++i)
                if (value[i] >= '0' && value[i] <= '2') controlBits[i] = value[i];
            break;
        case 'D': blockDelayHours = number; break;
        case 'I': measurementDelay = number; break;
        case 'Q': blockLength = number; break;
        case 'T': smoothing = number; break;
        case 'U': {
            // MMDDYY then the time, whose last two digits are the minutes.
            if (value.size() < kDateDigits + 3) return "\r\nBad date\r\n>";
            const std::string time = value.substr(kDateDigits);
            const auto month = DigitsNumberIn(value.substr(0, 2), 1, 12);
            const auto day = DigitsNumberIn(value.substr(2, 2), 1, 31);
            const auto year = DigitsNumberIn(value.substr(4, 2), 0, 99);
            const auto minutes = DigitsNumberIn(time.substr(time.size() - 2), 0, 59);
            const auto hours = DigitsNumberIn(time.substr(0, time.size() - 2), 0, 23);
            if (!month || !day || !year || !minutes || !hours ||
                *day > DaysIn(static_cast<int>(*month), 2000 + static_cast<int>(*year)))
                return "\r\nBad date\r\n>";
            SetClock(2000 + static_cast<int>(*year), static_cast<int>(*month),
                     static_cast<int>(*day), *hours * 3600.0 + *minutes * 60.0, now);
            break;
        }
        default: break;
    }
    return "\r\n>";
}

}  // namespace zan::sim
