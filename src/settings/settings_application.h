#pragma once
#include <optional>
#include <string>

namespace zan {

struct Context;
class Exchange;

// The six logger control bits as the sensor takes them: Auto Start, two
// unused bits, Log Enabled, Wake Up, Append; each "0", "1" or "2" (grey).
std::string ControlBitsText(Context& ctx);

// What is wrong with the date and time the frame would send, or nothing when
// they are a real date and a 24-hour time.
std::optional<std::string> DateTimeProblem(Context& ctx);

// Apply Settings: sends every setting, then the date and time.
void Command2_Click(Context& ctx);
void SendLoggerSettings(Context& ctx, Exchange& exchange);

}  // namespace zan
