#include "settings/settings_application.h"

#include <cstdlib>

#include "context/context.h"
#include "link/port_operations.h"
#include "settings/settings_dates.h"
#include "settings/settings_exchange.h"

namespace zan {
namespace {

const char* const kNothingSent = " Nothing was sent to the instrument.";

void AddProgress(ProgressBar& bar, double step) { bar.SetValue(bar.Value() + step); }

void SendThenWait(Context& ctx, const std::string& text, double progress, double seconds) {
    SendText(ctx, text);
    AddProgress(ctx.main.ProgressBar1, progress);
    Delay(ctx, seconds);
}

// The sensor splits the time at its last two digits, so minutes always go as two.
std::string TimeText(const MainForm& m) {
    const std::string& minutes = m.Text8.Text();
    return m.Text5.Text() + (minutes.size() < 2 ? "0" + minutes : minutes) + "\r";
}

void NormaliseDateFields(MainForm& m) {
    for (TextBox* box : {&m.Text1, &m.Text6, &m.Text7})
        box->SetText(TwoCharacterField(box->Text()));
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
        if (!AllDigits(month) || !AllDigits(day) || !AllDigits(year))
            return "The date fields must hold numbers (" + month + ", " + day + ", " + year + ")." +
                   kNothingSent;
        const int monthNumber = std::atoi(month.c_str());
        const int dayNumber = std::atoi(day.c_str());
        if (monthNumber < 1 || monthNumber > 12)
            return "The month must be 1 to 12, not " + month + "." + kNothingSent;
        const int days = DaysInMonth(monthNumber, std::atoi(year.c_str()));
        if (dayNumber < 1 || dayNumber > days)
            return "Month " + month + " of year " + year + " has " + std::to_string(days) +
                   " days; day " + day + " does not exist." + kNothingSent;
    }
    const std::string& hours = m.Text5.Text();
    const std::string& minutes = m.Text8.Text();
    if (!AllDigits(hours) || std::atoi(hours.c_str()) > 23)
        return "The hour must be 0 to 23 in the 24 hour format, not \"" + hours + "\"." +
               kNothingSent;
    if (!AllDigits(minutes) || minutes.size() > 2 || std::atoi(minutes.c_str()) > 59)
        return "The minutes must be 00 to 59, not \"" + minutes + "\"." + kNothingSent;
    return std::nullopt;
}

void SendLoggerSettings(Context& ctx) {
    MainForm& m = ctx.main;
    ProgressBar& bar = m.ProgressBar1;
    bar.SetValue(0);
    SendThenWait(ctx, "B", 5, 0.5);
    SendThenWait(ctx, ControlBitsText(ctx), 5, 0.3);
    SendThenWait(ctx, "D", 5, 1);
    SendThenWait(ctx, m.Text2.Text() + "\r", 5, 0.3);
    SendThenWait(ctx, "I", 5, 1);
    SendThenWait(ctx, m.Text4.Text() + "\r", 5, 0.3);
    SendThenWait(ctx, "Q", 10, 1);
    SendThenWait(ctx, m.Text3.Text() + "\r", 5, 0.3);
    SendThenWait(ctx, "T", 10, 1);
    SendThenWait(ctx, " " + std::to_string(m.Slider1.Value()) + "\r", 5, 1);
    // The date boxes stay editable during the waits; re-check them before the clock command.
    if (const auto problem = DateTimeProblem(ctx)) {
        ctx.platform.dialogs.MessageBox(*problem, "Settings Not Sent");
        bar.SetValue(0);
        return;
    }
    SendText(ctx, "U");
    Delay(ctx, 1);
    AddProgress(bar, 5);
    NormaliseDateFields(m);
    for (const DateBoxes& boxes : CheckedDateOrders(m)) {
        AddProgress(bar, 10);
        SendText(ctx, boxes.month->Text() + boxes.day->Text());
        Delay(ctx, 0.5);
        SendText(ctx, boxes.year->Text());
    }
    AddProgress(bar, 5);
    Delay(ctx, 1);
    const std::string time = TimeText(m);
    AddProgress(bar, 5);
    SendText(ctx, time);
    AddProgress(bar, 5);
    Delay(ctx, 1);
    bar.SetValue(0);
}

void Command2_Click(Context& ctx) {
    if (!IsPortOpen(ctx)) return;
    SettingsExchange exchange(ctx);
    if (!exchange.Acquired()) return;
    // A date the sensor cannot hold would be half-applied; check before the first command.
    if (const auto problem = DateTimeProblem(ctx)) {
        ctx.platform.dialogs.MessageBox(*problem, "Settings Not Sent");
        return;
    }
    try {
        SendLoggerSettings(ctx);
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
}

}  // namespace zan
