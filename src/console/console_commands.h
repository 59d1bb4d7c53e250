#pragma once
#include <cstddef>

namespace zan {

struct Context;

// Interrupt Auto Start: wakes the sensor with a DTR pulse and, if it does not
// answer, walks the user through a power cycle before sending the stop key.
void Command27_Click(Context& ctx);
// The firmware query: shows the first line the sensor prints when woken.
void Command28_Click(Context& ctx);
// Run (both "Run" buttons): sends the RUN command.
void Command5_Click(Context& ctx);
// "Download Data from Zan sensor": asks the sensor for its stored data.
void ddfe_Click(Context& ctx);
// The terminal box: whatever is typed goes to the sensor while the port is open.
void Text9_Change(Context& ctx);

// How long the polling loops wait at most, on the monotonic clock. The loops
// also keep their poll counts, but a poll costs very different times on
// different machines (a dispatch may wait for an event), so the time decides.
inline constexpr int kAnswerPolls = 10000;
inline constexpr double kAnswerWaitSeconds = 2.0;  // a woken sensor answers at once
inline constexpr int kPowerUpPolls = 100000;
inline constexpr double kPowerUpWaitSeconds = 20.0;  // time to reach the power switch
inline constexpr int kFirmwarePolls = 10000;
inline constexpr double kFirmwarePollSeconds = 1.0;
// The firmware line's read ends this long after it began without a carriage
// return, or after this many characters (the line is a few dozen), even while
// noise keeps arriving.
inline constexpr double kFirmwareReadSeconds = 5.0;
inline constexpr size_t kFirmwareReplyLimit = 128;
// The pause between two looks at the port in the loops that dispatch nothing.
inline constexpr double kPortPollPause = 0.001;

}  // namespace zan
