#include "link/port_watch.h"

#include "context/context.h"
#include "link/port_operations.h"

namespace zan {

std::string PortState(Context& ctx, int portNumber) {
    if (ctx.lostPort == portNumber) return "lost, reopening when it is back";
    if (ctx.platform.port.IsOpen() && OpenPortNumber(ctx) == portNumber) return "open";
    return "closed";
}

void ShowPortStatus(Context& ctx, const std::string& news) {
    if (!news.empty()) ctx.portNews = news;
    const std::string ports = DescribePorts([&ctx](int n) { return ctx.platform.port.Describe(n); },
                                            [&ctx](int n) { return PortState(ctx, n); });
    ctx.main.PortStatus.SetCaption(ctx.portNews.empty() ? ports : ports + "   |   " + ctx.portNews);
}

void PortLost(Context& ctx, const std::string& what) {
    const int number = OpenPortNumber(ctx);
    ClosePort(ctx);
    const std::string name =
        "Port " + std::to_string(number) + " (" + ctx.platform.port.Describe(number) + ")";
    ctx.lostPort = number;
    ++ctx.portLosses;
    ctx.nextReopenTry = ctx.platform.pump.Seconds() + kReopenInterval;
    ShowPortStatus(ctx, name + " lost; waiting for the device to come back");
    ShowError(ctx, name + " was lost: " + what +
                       ". ZAN Host reopens it by itself when the device is back.");
}

void ReopenLostPort(Context& ctx) {
    const int number = ctx.lostPort;
    if (number == 0 || ctx.platform.port.IsOpen()) return;
    const double now = ctx.platform.pump.Seconds();
    if (now < ctx.nextReopenTry) return;
    ctx.nextReopenTry = now + kReopenInterval;
    try {
        ctx.platform.port.Open(number);
    } catch (const PortError&) {
        // Not back yet: the next try comes after the interval.
        return;
    }
    ctx.lostPort = 0;
    MarkPortOpen(ctx, number);
    ShowPortStatus(
        ctx, "Port " + std::to_string(number) + " reopened: " + ctx.platform.port.Describe(number));
}

}  // namespace zan
