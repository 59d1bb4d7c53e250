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
    PortItem(ctx, portNumber).SetChecked(true);
}

void ClosePort(Context& ctx) {
    if (ctx.platform.port.IsOpen()) ctx.platform.port.Close();
    for (int n = 1; n <= 4; ++n) PortItem(ctx, n).SetChecked(false);
}

bool IsPortOpen(Context& ctx) { return ctx.platform.port.IsOpen(); }

void SendText(Context& ctx, const std::string& text) { ctx.platform.port.Write(text); }

std::string ReadAvailable(Context& ctx) {
    ctx.portInputLen = 0;
    return ctx.platform.port.Read(kTickReadLimit);
}

std::string ReadChar(Context& ctx) { return ctx.platform.port.Read(ctx.portInputLen); }

int CharsWaiting(Context& ctx) { return ctx.platform.port.CharsWaiting(); }

void PulseDtr(Context& ctx) {
    ctx.platform.port.SetDtr(true);
    Delay(ctx, 0.5);
    ctx.platform.port.SetDtr(false);
}

void Delay(Context& ctx, double seconds) {
    EventPump& pump = ctx.platform.pump;
    const double start = pump.Seconds();
    while (pump.Seconds() - start < seconds) pump.DispatchPending();
}

void WirePortMenu(Context& ctx) {
    MainForm& m = ctx.main;
    m.op1.onClick = [&ctx] { OpenPort(ctx, 1); };
    m.op2.onClick = [&ctx] { OpenPort(ctx, 2); };
    m.op3.onClick = [&ctx] { OpenPort(ctx, 3); };
    m.op4.onClick = [&ctx] { OpenPort(ctx, 4); };
    m.cp.onClick = [&ctx] {
        // A failure inside "Close Port" ends the handler silently.
        try {
            ClosePort(ctx);
        } catch (const std::exception&) {}
    };
}

}  // namespace zan
