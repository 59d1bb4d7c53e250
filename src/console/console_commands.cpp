#include "console/console_commands.h"

#include <cctype>

#include "context/context.h"
#include "link/exchange.h"
#include "link/port_operations.h"

namespace zan {
namespace {

const char* const kInterruptTitle = "Interupt Autostart";
const char* const kFirmwareTitle = "Firmware";
const char* const kPowerOnText = "Now press ok again and power on the Zan Sensor";

// Dispatches events until a character waits at the port, at most the given
// number of polls and seconds. True when something is waiting.
bool PollForAnswer(Exchange& exchange, int polls, double seconds) {
    const double start = exchange.Seconds();
    for (int i = 0; i < polls && exchange.Seconds() - start < seconds; ++i) {
        exchange.Dispatch();
        if (exchange.CharsWaiting() >= 1) return true;
    }
    return false;
}

// The same without dispatching, so no timer tick takes the characters first.
bool WatchForAnswer(Exchange& exchange, int polls, double seconds) {
    const double start = exchange.Seconds();
    for (int i = 0; i < polls && exchange.Seconds() - start < seconds; ++i) {
        if (exchange.CharsWaiting() >= 1) return true;
        exchange.Pause(kPortPollPause);
    }
    return false;
}

// The printable characters of a reply.
std::string Printable(const std::string& reply) {
    std::string text;
    for (char c : reply)
        if (static_cast<unsigned char>(c) >= ' ' && c != '\x7f') text += c;
    return text;
}

bool HasLetterOrDigit(const std::string& text) {
    for (unsigned char c : text)
        if (std::isalnum(c)) return true;
    return false;
}

// The first line the sensor sends: everything up to and including its
// carriage return (or its line feed, for a sensor that ends lines with line
// feeds alone), or what came before the time or the size bound ended the
// read. A line with no letter or digit is line noise at power-up, not the
// identification, and the read goes on past it. Dispatches nothing.
std::string ReadFirmwareLine(Exchange& exchange) {
    std::string reply;
    const double start = exchange.Seconds();
    for (;;) {
        const std::string c = exchange.ReadChar();
        reply += c;
        const bool lineEnd = !c.empty() && (c.back() == '\r' || c.back() == '\n');
        if (lineEnd && HasLetterOrDigit(reply)) return reply;
        if (lineEnd) reply.clear();
        if (reply.size() >= kFirmwareReplyLimit ||
            exchange.Seconds() - start >= kFirmwareReadSeconds)
            return reply;
        if (c.empty()) exchange.Pause(kPortPollPause);
    }
}

void InterruptAutoStart(Context& ctx, Exchange& exchange) {
    exchange.PulseDtr();
    if (PollForAnswer(exchange, kAnswerPolls, kAnswerWaitSeconds)) {
        exchange.Wait(0.2);
        exchange.Send("C");
    } else {
        WaitForOk(ctx,
                  "To Interupt autostart, please power off Zan sensor then press ok. The computer "
                  "will then wait for 5 seconds to allow power discharge.",
                  kInterruptTitle);
        exchange.Wait(5);
        if (!IsPortOpen(ctx)) return;
        WaitForOk(ctx, kPowerOnText, kInterruptTitle);
        if (!PollForAnswer(exchange, kPowerUpPolls, kPowerUpWaitSeconds))
            throw ExchangeFailure(
                "Zan Sensor did not respond. Please check power and try again. If you can, please "
                "use the Halvorn bench cable with the selecter switch set to ZAN Host.",
                "Zan Sensor Not Responding");
        exchange.Wait(0.2);
        exchange.SendThenWait("c", 0, 1);
    }
    ctx.platform.dialogs.MessageBox("Zan Sensor ready to accept commands", "Zan Sensor Ready");
}

void QueryFirmware(Context& ctx, Exchange& exchange) {
    exchange.PulseDtr();
    if (!WatchForAnswer(exchange, kFirmwarePolls, kFirmwarePollSeconds)) {
        WaitForOk(ctx,
                  "To get Instrument Firmware version, please power off Zan sensor then press ok. "
                  "The computer will then wait for 5 seconds to allow power discharge.",
                  kFirmwareTitle);
        exchange.Wait(5);
        if (!IsPortOpen(ctx)) return;
        WaitForOk(ctx, kPowerOnText, kFirmwareTitle);
    }
    // The caption shows the line's text: the carriage return that ended it and
    // a line feed left from an earlier line are no part of it.
    const std::string line = Printable(ReadFirmwareLine(exchange));
    if (line.empty())
        throw ExchangeFailure(
            "Zan Sensor sent no firmware line after it was woken, so its firmware is not known. "
            "Please check power and the cable, then click again.",
            kFirmwareTitle);
    ctx.main.Command28.SetCaption("Firmware: " + line);
}

}  // namespace

// A port failure ends Interrupt Auto Start, the firmware query, Run and
// Download silently (a loss is told once). Interrupt Auto Start and the
// firmware query also end silently when the port closes during their
// 5-second wait (another handler ran inside it), instead of prompting for a
// sensor that can no longer be heard.
void Command27_Click(Context& ctx) {
    RunExchange(ctx, {}, [&ctx](Exchange& exchange) { InterruptAutoStart(ctx, exchange); });
}

void Command28_Click(Context& ctx) {
    RunExchange(ctx, {}, [&ctx](Exchange& exchange) { QueryFirmware(ctx, exchange); });
}

void Command5_Click(Context& ctx) {
    RunExchange(ctx, {}, [](Exchange& exchange) { exchange.Send("r"); });
}

void ddfe_Click(Context& ctx) {
    RunExchange(ctx, {}, [&ctx](Exchange& exchange) {
        if (IsPortOpen(ctx)) exchange.Send("o");
    });
}

// Typing waits in the box while the port is closed or an exchange holds the
// line, where it would land in the middle of its commands.
void Text9_Change(Context& ctx) {
    TextBox& box = ctx.main.Text9;
    if (!IsPortOpen(ctx) || box.Text().empty()) return;
    ExchangeRules rules;
    // A refused write is told, and what was typed stays in the box.
    rules.onPortFailure = ShowError;
    RunExchange(ctx, rules, [&box](Exchange& exchange) {
        exchange.Send(box.Text());
        box.SetText("");
    });
}

}  // namespace zan
