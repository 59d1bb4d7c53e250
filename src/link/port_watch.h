#pragma once
#include <string>

namespace zan {

struct Context;

// How often a lost port is tried again: well within the two seconds a user
// waits for a replugged adapter to be taken up again.
inline constexpr double kReopenInterval = 0.5;

// A port number's state for the status bar: "open", "closed" or lost.
std::string PortState(Context& ctx, int portNumber);
// The status bar line: what each port number means and its state, then the
// latest news of the link, which stays until newer news (an empty text
// brings the states up to date and keeps it).
void ShowPortStatus(Context& ctx, const std::string& news = "");
// The open port's device went away: closes the port, tells the user once,
// naming the device and what happened, and watches for the device's return.
void PortLost(Context& ctx, const std::string& what);
// Reopens a lost port once its device is back (tried every kReopenInterval)
// and says so in the status bar. Sends nothing to the sensor; recording and
// raw logging simply go on with the packets that follow.
void ReopenLostPort(Context& ctx);

}  // namespace zan
