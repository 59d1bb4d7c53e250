#include "settings/settings_application.h"

#include "context/context.h"
#include "core/whole_number.h"
#include "link/exchange.h"
#include "link/port_operations.h"
#include "link/reply_lines.h"
#include "settings/sensor_clock.h"
#include "settings/settings_dates.h"

namespace zan {
namespace {

const char* const kNothingSent = " Nothing was sent to the instrument.";

// The sensor splits the time at its last two digits, so minutes always go as two.
std::string TimeText(const MainForm& m) {
    const std::string& minutes = m.Text8.Text();
    return m.Text5.Text() + (minutes.size() < 2 ? "0" + minutes : minutes) + "\r";
}

void NormaliseDateFields(MainForm& m) {
    for (TextBox* box : {&m.Text1, &m.Text6, &m.Text7})
        box->SetText(TwoCharacterField(box->Text()));
}

void RefuseImpossibleDate(Context& ctx) {
    if (const auto problem = DateTimeProblem(ctx))
        throw ExchangeFailure(*problem, "Settings Not Sent");
}

}  // namespace

std::string ControlBitsText(Context& ctx) {
    const MainForm& m = ctx.main;
    return std::to_string(m.Check7.Value()) + "00" + std::to_string(m.Check1.Value()) +
           std::to_string(m.Check2.Value()) + std::to_string(m.Check6.Value());
}

std::optional<std::string> DateTimeProblem(Context& ctx) {
    MainForm& m = ctx.main;
    for (const DateBoxes& boxes : CheckedDateOrders(m)) {
        const std::string month = TwoCharacterField(boxes.month->Text());
        const std::string day = TwoCharacterField(boxes.day->Text());
        const std::string year = TwoCharacterField(boxes.year->Text());
        const auto monthNumber = DigitsNumberIn(month, 0, 99);
        const auto dayNumber = DigitsNumberIn(day, 0, 99);
        const auto yearNumber = DigitsNumberIn(year, 0, 99);
        if (!monthNumber || !dayNumber || !yearNumber)
            return "The date fields must hold numbers (" + month + ", " + day + ", " + year + ")." +
                   kNothingSent;
        if (*monthNumber < 1 || *monthNumber > 12)
            return "The month must be 1 to 12, not " + month + "." + kNothingSent;
        const int days = DaysInMonth(static_cast<int>(*monthNumber), static_cast<int>(*yearNumber));
        if (*dayNumber < 1 || *dayNumber > days)
            return "Month " + month + " of year " + year + " has " + std::to_string(days) +
                   " days; day " + day + " does not exist." + kNothingSent;
    }
    const std::string& hours = m.Text5.Text();
    const std::string& minutes = m.Text8.Text();
    if (!DigitsNumberIn(hours, 0, 23))
        return "The hour must be 0 to 23 in the 24 hour format, not \"" + hours + "\"." +
               kNothingSent;
    if (minutes.size() > 2 || !DigitsNumberIn(minutes, 0, 59))
        return "The minutes must be 00 to 59, not \"" + minutes + "\"." + kNothingSent;
    return std::nullopt;
}

void SendLoggerSettings(Context& ctx, Exchange& exchange) {
    MainForm& m = ctx.main;
    exchange.SetProgress(0);
    const ListMark before(m.List1);
    exchange.SendThenWait("B", 5, 0.5);
    // A sensor that does not echo its first command hears none of them.
    if (before.Unchanged())
        throw ExchangeFailure(
            "The instrument did not answer the first setting command, so no settings were sent. "
            "Please make sure the power is on, the instrument is not running, and the comm port "
            "is selected.",
            "Please Check");
    exchange.SendThenWait(ControlBitsText(ctx), 5, 0.3);
    exchange.SendThenWait("D", 5, 1);
    exchange.SendThenWait(m.Text2.Text() + "\r", 5, 0.3);
    exchange.SendThenWait("I", 5, 1);
    exchange.SendThenWait(m.Text4.Text() + "\r", 5, 0.3);
    exchange.SendThenWait("Q", 10, 1);
    exchange.SendThenWait(m.Text3.Text() + "\r", 5, 0.3);
    exchange.SendThenWait("T", 10, 1);
    exchange.SendThenWait(" " + std::to_string(m.Slider1.Value()) + "\r", 5, 1);
    // The date boxes stay editable during the waits; re-check them before the clock command.
    RefuseImpossibleDate(ctx);
    exchange.SendThenWait("U", 0, 1);
    exchange.AdvanceProgress(5);
    if (ComputerClockChosen(ctx)) FillDateFromComputer(ctx);
    NormaliseDateFields(m);
    for (const DateBoxes& boxes : CheckedDateOrders(m)) {
        exchange.AdvanceProgress(10);
        exchange.SendThenWait(boxes.month->Text() + boxes.day->Text(), 0, 0.5);
        exchange.Send(boxes.year->Text());
    }
    exchange.AdvanceProgress(5);
    exchange.Wait(1);
    if (ComputerClockChosen(ctx)) FillTimeFromComputer(ctx);
    const std::string time = TimeText(m);
    exchange.AdvanceProgress(5);
    exchange.SendThenWait(time, 5, 1);
    exchange.SetProgress(0);
}

void Command2_Click(Context& ctx) {
    if (!IsPortOpen(ctx)) return;
    ExchangeRules rules;
    rules.bar = &ctx.main.ProgressBar1;
    rules.onPortFailure = ShowError;
    if (ComputerClockChosen(ctx)) {
        FillDateFromComputer(ctx);
        FillTimeFromComputer(ctx);
    }
    RunExchange(ctx, rules, [&ctx](Exchange& exchange) {
        // A date the sensor cannot hold would be half-applied; check before the first command.
        RefuseImpossibleDate(ctx);
        SendLoggerSettings(ctx, exchange);
    });
}

}  // namespace zan
