#pragma once
#include <string>

namespace zan {

struct Context;

// How often a lost port is tried again: well within the two seconds a user
// waits for a replugged adapter to be taken up again.
inline constexpr double kReopenInterval = 0.5;

// The status bar line: what each port number means, then the news given.
void ShowPortStatus(Context& ctx, const std::string& news);
// The open port's device went away: closes the port, tells the user once,
// naming the device and what happened, and watches for the device's return.
void PortLost(Context& ctx, const std::string& what);
// Reopens a lost port once its device is back (tried every kReopenInterval)
// and says so in the status bar. Sends nothing to the sensor; recording and
// raw logging simply go on with the packets that follow.
void ReopenLostPort(Context& ctx);

}  // namespace zan
