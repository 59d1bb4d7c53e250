#pragma once
#include <functional>
#include <string>

namespace zan {

struct Context;

// The port menu handlers: open port n (1..4) unless one is open already,
// which the status bar then tells.
void OpenPort(Context& ctx, int portNumber);
// Checks the port's menu item: the mark of the open port.
void MarkPortOpen(Context& ctx, int portNumber);
// The number of the open port's checked item; 0 when none is checked.
int OpenPortNumber(Context& ctx);
// "Close Port": closes an open port and unchecks all four port items.
void ClosePort(Context& ctx);
// "Port 1: /dev/ttyUSB0 (open)   Ports 2-4: not connected (closed)": each
// port as the given functions name its device and its state.
std::string DescribePorts(const std::function<std::string(int)>& describe,
                          const std::function<std::string(int)>& state);
bool IsPortOpen(Context& ctx);
void SendText(Context& ctx, const std::string& text);
// At most this much is taken in one read of everything waiting: a hundred
// times a second it is far more than the line carries, and a flood of noise
// cannot make one tick walk megabytes.
inline constexpr int kTickReadLimit = 64 * 1024;
// Everything waiting at the port (InputLen 0), up to kTickReadLimit.
std::string ReadAvailable(Context& ctx);
// With InputLen set to 1 by the caller: one character or an empty text.
std::string ReadChar(Context& ctx);
int CharsWaiting(Context& ctx);
// Waits the given seconds on the monotonic clock while dispatching events.
void Delay(Context& ctx, double seconds);

// Connects the Connection menu's port items to their handlers.
void WirePortMenu(Context& ctx);

}  // namespace zan
