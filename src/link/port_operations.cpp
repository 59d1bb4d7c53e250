#include "link/port_operations.h"

#include "context/context.h"
#include "link/port_watch.h"

namespace zan {
namespace {

MenuItem& PortItem(Context& ctx, int n) {
    MenuItem* items[] = {&ctx.main.op1, &ctx.main.op2, &ctx.main.op3, &ctx.main.op4};
    return *items[n - 1];
}

std::string PortBusyNews(Context& ctx, int wanted) {
    const int open = OpenPortNumber(ctx);
    const std::string name = "Port " + std::to_string(open);
    if (open == wanted) return name + " is open already";
    return name + " is open: choose Close Port, then Open Port " + std::to_string(wanted);
}

}  // namespace

void OpenPort(Context& ctx, int portNumber) {
    if (portNumber < 1 || portNumber > 4) return;
    // One port at a time: the open one stays, and the status bar says why nothing happened.
    if (ctx.platform.port.IsOpen()) return ShowPortStatus(ctx, PortBusyNews(ctx, portNumber));
    try {
        ctx.platform.port.Open(portNumber);
    } catch (const PortError& e) {
        ShowPortStatus(ctx, "Port " + std::to_string(portNumber) + " could not be opened");
        ShowError(ctx, e.what());
        return;
    }
    MarkPortOpen(ctx, portNumber);
    ShowPortStatus(ctx, "Port " + std::to_string(portNumber) + " opened");
}

void MarkPortOpen(Context& ctx, int portNumber) {
    ++ctx.portChanges;
    PortItem(ctx, portNumber).SetChecked(true);
}

int OpenPortNumber(Context& ctx) {
    for (int n = 1; n <= 4; ++n)
        if (PortItem(ctx, n).Checked()) return n;
    return 0;
}

void ClosePort(Context& ctx) {
    if (ctx.platform.port.IsOpen()) {
        ctx.platform.port.Close();
        ++ctx.portChanges;
    }
    for (int n = 1; n <= 4; ++n) PortItem(ctx, n).SetChecked(false);
}

std::string DescribePorts(const std::function<std::string(int)>& describe,
                          const std::function<std::string(int)>& state) {
    const auto what = [&](int n) { return describe(n) + " (" + state(n) + ")"; };
    std::string text;
    // Neighbours that read the same share one entry, so the line fits the status bar.
    for (int n = 1, last = 1; n <= 4; n = last + 1) {
        const std::string shown = what(n);
        for (last = n; last < 4 && what(last + 1) == shown;) ++last;
        if (!text.empty()) text += "   ";
        text += last == n ? "Port " + std::to_string(n)
                          : "Ports " + std::to_string(n) + "-" + std::to_string(last);
        text += ": " + shown;
    }
    return text;
}

bool IsPortOpen(Context& ctx) { return ctx.platform.port.IsOpen(); }

void SendText(Context& ctx, const std::string& text) { ctx.platform.port.Write(text); }

std::string ReadAvailable(Context& ctx) {
    ctx.portInputLen = 0;
    return ctx.platform.port.Read(kTickReadLimit);
}

std::string ReadChar(Context& ctx) { return ctx.platform.port.Read(ctx.portInputLen); }

int CharsWaiting(Context& ctx) { return ctx.platform.port.CharsWaiting(); }

void Delay(Context& ctx, double seconds) {
    EventPump& pump = ctx.platform.pump;
    const double start = pump.Seconds();
    while (pump.Seconds() - start < seconds) pump.DispatchPending();
}

void WirePortMenu(Context& ctx) {
    MainForm& m = ctx.main;
    // A port the user opens or closes ends the wait for a lost one.
    for (int n = 1; n <= 4; ++n)
        PortItem(ctx, n).onClick = [&ctx, n] {
            ctx.lostPort = 0;
            OpenPort(ctx, n);
        };
    m.cp.onClick = [&ctx] {
        const int open = ctx.platform.port.IsOpen() ? OpenPortNumber(ctx) : 0;
        ctx.lostPort = 0;
        // A failure inside "Close Port" ends the handler silently.
        try {
            ClosePort(ctx);
        } catch (const std::exception&) {}
        ShowPortStatus(ctx, open ? "Port " + std::to_string(open) + " closed" : "");
    };
}

}  // namespace zan
