#pragma once
#include <string>

namespace zan::sim {

// The small data logger inside a VSF or DFL sensor: its control bits, the
// sampling and timing settings, the memory pointer and its own clock. It
// answers the settings commands "P" (print settings), "C" at a prompt (print
// the clock), and takes "B", "D", "I", "Q", "T", "U" each with its value.
class LoggerModel {
  public:
    // Six characters: Auto Start, two unused bits, Log Enabled, Wake Up,
    // Append; "0" clear, "1" set, "2" grey (left to the firmware default).
    std::string controlBits = "100101";
    double smoothing = 25;        // samples per measurement
    double blockDelayHours = 0;   // delay before data blocks
    double blockLength = 0;       // measurements per data block, 0 no limit
    double measurementDelay = 0;  // seconds between measurements
    double memoryPointer = 8192;  // next free word of the 65535-word memory

    // Awkward sensors met in the field: one that keeps streaming through
    // settings commands until it is interrupted with "C", and one that
    // prints its prompt in front of the settings echo (">P").
    bool streamsThroughCommands = false;
    bool promptBeforeEcho = false;

    // Sets the clock to a date and a time of day at the given simulator time.
    void SetClock(int year, int month, int day, double secondOfDay, double now);

    // True while a command waits for its value; every character goes to Take.
    bool Collecting() const { return pending_ != 0; }
    // Starts one settings command; returns what the sensor prints.
    std::string Begin(char command, double now);
    // One character of the value of the command begun last.
    std::string Take(char c, double now);
    // A wake-up abandons a half-entered value.
    void CancelInput();

    // "MM/DD/YY", tab, the time of day in counts of 64800 a day.
    std::string ClockLine(double now) const;
    std::string SettingsReply() const;

  private:
    std::string Finish(double now);
    char pending_ = 0;
    std::string value_;
    int year_ = 2026, month_ = 12, day_ = 6;
    double secondOfDay_ = 12 * 3600.0;
    double clockSetAt_ = 0;
};

}  // namespace zan::sim
