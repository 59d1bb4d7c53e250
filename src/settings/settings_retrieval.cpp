#include "settings/settings_retrieval.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

#include "context/context.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "core/whole_number.h"
#include "link/exchange.h"
#include "link/port_operations.h"
#include "link/reply_lines.h"
#include "settings/sensor_clock.h"
#include "settings/settings_dates.h"
#include "settings/settings_summary.h"

namespace zan {
namespace {

constexpr int kEchoSearchSpan = 15;
constexpr int kSettingLines = 11;
constexpr double kProgressStep = 4.34;
constexpr double kClockCountsPerDay = 64800;
constexpr double kSecondsPerDay = 86400;
constexpr size_t kShortestClockLine = 8;

void Advance(ProgressBar& bar) { bar.SetValue(bar.Value() + kProgressStep); }

// A reply line's value after its label; a line shorter than the label means
// the reply was cut off. A bare label is a value of 0.
std::string SettingLine(const ReplyLines& reply, int line, size_t skipped) {
    return reply.Line(line, skipped).substr(skipped);
}

int SliderPosition(double value, bool& clamped) {
    const double rounded = std::nearbyint(value);  // halves go to the even neighbour
    const double inRange = std::clamp(std::isnan(rounded) ? 1.0 : rounded, 1.0, 255.0);
    clamped = !(inRange == rounded);
    return static_cast<int>(*WholeNumberIn(inRange, 1, 255));
}

bool HasLeadingNumber(const std::string& text) {
    for (unsigned char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        return std::isdigit(c) || c == '.' || c == '+' || c == '-';
    }
    return false;
}

// A failure of the settings parse is told and the clock is still asked.
// Lines 1 to 6 of the reply end in a bit each; the check boxes show theirs.
void ShowSettingBits(MainForm& m, const ReplyLines& reply) {
    ProgressBar& bar = m.ProgressBar1;
    double bits[6];
    for (int line = 1; line <= 6; ++line) {
        const std::string text = SettingLine(reply, line, 0);
        bits[line - 1] = NumberValue(text.substr(text.size() - 1));
        Advance(bar);
    }
    // Lines 2 and 3 carry bits this host does not use.
    const std::pair<CheckBox*, int> boxes[] = {
        {&m.Check7, 0}, {&m.Check1, 3}, {&m.Check2, 4}, {&m.Check6, 5}};
    for (const auto& [box, bit] : boxes) {
        if (const auto value = WholeNumberIn(bits[bit], 0, 2))
            box->SetValue(static_cast<int>(*value));
        Advance(bar);
    }
}

void RetrieveSettings(Context& ctx, Exchange& exchange) {
    exchange.PulseDtr();
    exchange.Wait(0.2);
    // An echo left in the list by an earlier retrieval is not this reply. The
    // newest entry may still be open and take the echo after a prompt.
    const int firstEntry = std::max(0, ctx.main.List1.Count() - 1);
    exchange.SendThenWait("P", 0, 0.5);
    try {
        ReadLoggerSettings(ctx, firstEntry);
    } catch (const ReplyCutOff& e) {
        ShowError(ctx, e.what());
        exchange.SetProgress(0);
    }
    ShowMeasurementTime(ctx);
    // The sensor prints its clock as the query arrives: the computer's is read then too.
    const LocalDateTime askedAt = ctx.platform.clock.Now();
    exchange.SendThenWait("C", 0, 1);
    ReadInstrumentClock(ctx, askedAt);
}

}  // namespace

int FindSettingsEcho(const ListBox& list, int firstEntry) {
    return FindEcho(list, firstEntry, kEchoSearchSpan, {"P", "p", ">P", ">p"});
}

std::string CapacityCaption(double memoryPointer) {
    const double percent = std::floor(memoryPointer / 65535 * 1000) / 10;
    return (percent < 0 ? "" : " ") + GeneralText(percent) + "%";
}

std::optional<InstrumentClock> ParseClockLine(const std::string& line) {
    if (line.size() < kShortestClockLine) return std::nullopt;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) return std::nullopt;
    const auto date = ParseMonthDayYear(line.substr(0, tab));
    const std::string timeText = line.substr(tab + 1);
    if (!date || !HasLeadingNumber(timeText)) return std::nullopt;
    // Whole seconds first: every third count lands on an exact second, which
    // fractions of an hour would show one second short (01:00:59 for 01:01:00).
    // A count outside one day is no time of day: the boxes keep what they show.
    const auto total =
        WholeNumberIn(std::floor(NumberValue(timeText) * kSecondsPerDay / kClockCountsPerDay), 0,
                      static_cast<long long>(kSecondsPerDay) - 1);
    if (!total) return std::nullopt;
    const int seconds = static_cast<int>(*total);
    return InstrumentClock{date->year,     date->month,         date->day,
                           seconds / 3600, seconds % 3600 / 60, seconds % 60};
}

void ReadLoggerSettings(Context& ctx, int firstEntry) {
    MainForm& m = ctx.main;
    const ListBox& list = m.List1;
    const int echo = FindSettingsEcho(list, firstEntry);
    if (echo < 0) {
        ctx.platform.dialogs.MessageBox(
            "Unable to Get Settings. Check and make sure the instrument is not outputing data",
            "Conflict");
        return;
    }
    const ReplyLines reply = ReplyLines::AfterEcho(list, echo, kSettingLines, "settings reply");
    ProgressBar& bar = m.ProgressBar1;
    bar.SetValue(0);
    ShowSettingBits(m, reply);
    double values[4];
    for (int line = 7; line <= 10; ++line) {
        values[line - 7] = NumberValue(SettingLine(reply, line, 2));
        Advance(bar);
    }
    const double memoryPointer = NumberValue(SettingLine(reply, 11, 3));
    Advance(bar);
    bool clamped = false;
    const int samples = SliderPosition(values[0], clamped);
    m.Slider1.SetValue(samples);
    Advance(bar);
    m.Text2.SetText(GeneralText(values[1]));
    Advance(bar);
    m.Text4.SetText(GeneralText(values[3]));
    Advance(bar);
    m.Text3.SetText(GeneralText(values[2]));
    // The box's own rule runs only when its text changes; the check box was just set from the
    // reply.
    OfferLogEnabledForBlockLength(ctx);
    Advance(bar);
    m.Label3.SetCaption(GeneralText(memoryPointer));
    Advance(bar);
    m.Label10.SetCaption(CapacityCaption(memoryPointer));
    Advance(bar);
    m.Slider1.SetValue(samples);
    Advance(bar);
    if (clamped)
        ctx.platform.dialogs.MessageBox(
            "The instrument reported a Measurement Smoothing of " + GeneralText(values[0]) +
                " samples, outside the range 1 to 255. The slider shows " +
                std::to_string(samples) + "; Apply Settings stores that value in the instrument.",
            "Measurement Smoothing");
    Delay(ctx, 1);
    bar.SetValue(0);
}

void ReadInstrumentClock(Context& ctx, const LocalDateTime& askedAt) {
    MainForm& m = ctx.main;
    // The clock line stands just before the sensor's prompt, the newest entry.
    const auto clock = ParseClockLine(m.List1.Entry(m.List1.Count() - 2));
    if (!clock) return;
    m.ClockDifference.SetCaption(ClockComparison(*clock, askedAt));
    const DateBoxes boxes = ShownDateOrder(m);
    boxes.month->SetText(std::to_string(clock->month));
    boxes.day->SetText(std::to_string(clock->day));
    boxes.year->SetText(std::to_string(clock->year));
    m.Text5.SetText(std::to_string(clock->hours));
    m.Text8.SetText(TwoCharacterField(std::to_string(clock->minutes)));
    m.Text48.SetText(TwoCharacterField(std::to_string(clock->seconds)));
}

void Command3_Click(Context& ctx) {
    if (!IsPortOpen(ctx)) return;
    ExchangeRules rules;
    rules.bar = &ctx.main.ProgressBar1;
    rules.onPortFailure = [](Context& c, const std::string&) {
        c.platform.dialogs.MessageBox(
            "Please make sure the power is on, the instrument is not running, and the comm port is "
            "selected.",
            "Please Check");
    };
    RunExchange(ctx, rules, [&ctx](Exchange& exchange) { RetrieveSettings(ctx, exchange); });
}

}  // namespace zan
