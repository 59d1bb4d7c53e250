#include "link/port_operations.h"

#include "context/context.h"

namespace zan {
namespace {

MenuItem& PortItem(Context& ctx, int n) {
    MenuItem* items[] = {&ctx.main.op1, &ctx.main.op2, &ctx.main.op3, &ctx.main.op4};
    return *items[n - 1];
}

}  // namespace

void OpenPort(Context& ctx, int portNumber) {
    if (portNumber < 1 || portNumber > 4 || ctx.platform.port.IsOpen()) return;
    try {
        ctx.platform.port.Open(portNumber);
    } catch (const PortError& e) {
        ShowError(ctx, e.what());
        return;
    }
    MarkPortOpen(ctx, portNumber);
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

std::string DescribePorts(const std::function<std::string(int)>& describe) {
    std::string text;
    for (int n = 1; n <= 4; ++n) {
        if (!text.empty()) text += "   ";
        text += "Port " + std::to_string(n) + ": " + describe(n);
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
        ctx.lostPort = 0;
        // A failure inside "Close Port" ends the handler silently.
        try {
            ClosePort(ctx);
        } catch (const std::exception&) {}
    };
}

}  // namespace zan
