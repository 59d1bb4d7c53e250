#include "console/console_commands.h"

#include "context/context.h"
#include "link/exchange.h"
#include "link/port_operations.h"
#include "link/port_watch.h"

namespace zan {
namespace {

const char* const kInterruptTitle = "Interupt Autostart";
const char* const kFirmwareTitle = "Firmware";
const char* const kPowerOnText = "Now press ok again and power on the Zan Sensor";

// Dispatches events until a character waits at the port, at most the given
// number of polls and seconds. True when something is waiting.
bool PollForAnswer(Context& ctx, int polls, double seconds) {
    EventPump& pump = ctx.platform.pump;
    const double start = pump.Seconds();
    for (int i = 0; i < polls && pump.Seconds() - start < seconds; ++i) {
        pump.DispatchPending();
        if (CharsWaiting(ctx) >= 1) return true;
    }
    return false;
}

// The same without dispatching, so no timer tick takes the characters first.
bool WatchForAnswer(Context& ctx, int polls, double seconds) {
    EventPump& pump = ctx.platform.pump;
    const double start = pump.Seconds();
    for (int i = 0; i < polls && pump.Seconds() - start < seconds; ++i) {
        if (CharsWaiting(ctx) >= 1) return true;
        pump.Pause(kPortPollPause);
    }
    return false;
}

// Everything the sensor sends up to and including the first carriage return,
// or what came before the time or the size bound ended the read. Dispatches
// nothing.
std::string ReadFirmwareLine(Context& ctx) {
    EventPump& pump = ctx.platform.pump;
    ctx.portInputLen = 1;
    std::string reply;
    const double start = pump.Seconds();
    for (;;) {
        const std::string c = ReadChar(ctx);
        reply += c;
        if (!c.empty() && c.back() == '\r') return reply;
        if (reply.size() >= kFirmwareReplyLimit || pump.Seconds() - start >= kFirmwareReadSeconds)
            return reply;
        if (c.empty()) pump.Pause(kPortPollPause);
    }
}

void InterruptAutoStart(Context& ctx, Exchange& exchange) {
    Dialogs& dialogs = ctx.platform.dialogs;
    PulseDtr(ctx);
    if (PollForAnswer(ctx, kAnswerPolls, kAnswerWaitSeconds)) {
        exchange.Wait(0.2);
        exchange.Send("C");
    } else {
        dialogs.MessageBox(
            "To Interupt autostart, please power off Zan sensor then press ok. The computer will "
            "then wait for 5 seconds to allow power discharge.",
            kInterruptTitle);
        exchange.Wait(5);
        if (!IsPortOpen(ctx)) return;
        dialogs.MessageBox(kPowerOnText, kInterruptTitle);
        if (!PollForAnswer(ctx, kPowerUpPolls, kPowerUpWaitSeconds)) {
            dialogs.MessageBox(
                "Zan Sensor did not respond. Please check power and try again. If you can, please "
                "use the Halvorn bench cable with the selecter switch set to ZAN Host.",
                "Zan Sensor Not Responding");
            return;
        }
        exchange.Wait(0.2);
        exchange.SendThenWait("c", 0, 1);
    }
    dialogs.MessageBox("Zan Sensor ready to accept commands", "Zan Sensor Ready");
}

void QueryFirmware(Context& ctx, Exchange& exchange) {
    Dialogs& dialogs = ctx.platform.dialogs;
    PulseDtr(ctx);
    if (!WatchForAnswer(ctx, kFirmwarePolls, kFirmwarePollSeconds)) {
        dialogs.MessageBox(
            "To get Instrument Firmware version, please power off Zan sensor then press ok. The "
            "computer will then wait for 5 seconds to allow power discharge.",
            kFirmwareTitle);
        exchange.Wait(5);
        if (!IsPortOpen(ctx)) return;
        dialogs.MessageBox(kPowerOnText, kFirmwareTitle);
    }
    ctx.main.Command28.SetCaption("Firmware: " + ReadFirmwareLine(ctx));
}

}  // namespace

// Both commands end silently when the port closes during their 5-second wait
// (another handler ran inside it), instead of prompting for a sensor that can
// no longer be heard.
void Command27_Click(Context& ctx) {
    Exchange exchange(ctx);
    if (!exchange.Acquired()) return;
    // A port failure ends the command silently; the boxes already shown stay answered.
    try {
        InterruptAutoStart(ctx, exchange);
    } catch (const std::exception&) {}
}

void Command28_Click(Context& ctx) {
    Exchange exchange(ctx);
    if (!exchange.Acquired()) return;
    // A port failure ends the query silently and leaves the caption as it was.
    try {
        QueryFirmware(ctx, exchange);
    } catch (const std::exception&) {}
}

void Command5_Click(Context& ctx) {
    Exchange exchange(ctx);
    if (!exchange.Acquired()) return;
    // With the port closed the write fails; Run then does nothing, by design.
    try {
        exchange.Send("r");
    } catch (const std::exception&) {}
}

void ddfe_Click(Context& ctx) {
    Exchange exchange(ctx);
    if (!exchange.Acquired()) return;
    // Beyond the closed port, which is tested first, a failure ends it silently.
    try {
        if (IsPortOpen(ctx)) exchange.Send("o");
    } catch (const std::exception&) {}
}

void Text9_Change(Context& ctx) {
    TextBox& box = ctx.main.Text9;
    try {
        // Typing waits in the box while the port is closed or an exchange
        // holds the line, where it would land in the middle of its commands.
        if (!IsPortOpen(ctx) || ctx.exchangeRunning) return;
        const std::string typed = box.Text();
        if (typed.empty()) return;
        SendText(ctx, typed);
        box.SetText("");
    } catch (const PortLostError& e) {
        // Told once; the port is closed, so further typing stays in the box.
        PortLost(ctx, e.what());
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
}

}  // namespace zan
