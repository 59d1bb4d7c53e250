#include "settings/settings_summary.h"

#include <cmath>

#include "context/context.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr int kChecked = 1;

std::string DelayWords(double delaySeconds) {
    const DelaySplit split = SplitDelay(delaySeconds);
    return std::string(" It will then enter a low current sleep mode.") +
           " The instrument will then sleep for " + GeneralText(split.minutes) + " Min(s) " +
           GeneralText(split.seconds) + " Second(s)" +
           " It will then wake up and repeat the Measurement process";
}

SummaryInputs ReadInputs(Context& ctx) {
    const MainForm& m = ctx.main;
    SummaryInputs in;
    in.autoStart = m.Check7.Value();
    in.logEnabled = m.Check1.Value();
    in.wakeUp = m.Check2.Value();
    in.append = m.Check6.Value();
    in.samples = m.Slider1.Value();
    in.blockDelay = m.Text2.Text();
    in.blockLength = m.Text3.Text();
    in.measurementDelay = m.Text4.Text();
    in.instrumentType = ctx.state.InstrumentType;
    return in;
}

}  // namespace

std::optional<double> MeasurementSeconds(float instrumentType, int samples) {
    // Linear models of the sensors' sampling; the 0.05 rounds to the nearest tenth.
    if (instrumentType == kVsf) return std::floor((samples * 0.0174 + 0.4852 + 0.05) * 10) / 10;
    if (instrumentType == kDfl) return std::floor((samples * 0.0045 + 0.1821 + 0.05) * 10) / 10;
    return std::nullopt;
}

DelaySplit SplitDelay(double delaySeconds) {
    DelaySplit split;
    split.minutes = std::floor(delaySeconds / 60);
    // Rounded to a billionth so a typed 60.1 leaves 0.1, not the binary remainder.
    split.seconds = std::round((delaySeconds - split.minutes * 60) * 1e9) / 1e9;
    return split;
}

std::string SettingsSummaryText(const SummaryInputs& in) {
    const double blockDelay = NumberValue(in.blockDelay);
    const double blockLength = NumberValue(in.blockLength);
    const double measurementDelay = NumberValue(in.measurementDelay);
    std::string s = "When power is applied the instrument will turn on,";
    if (in.autoStart == kChecked) {
        if (blockDelay > 0)
            s += " and enter sleep mode for " + in.blockDelay +
                 " hour(s). It will then wake up and ";
        s += " open a shutter (if it has one) then ";
    } else {
        s += " and be ready to accept commands. When RUN is clicked it will";
        if (blockDelay <= 0)
            s += "  open a shutter (if it has one) then start to collect one measurement.";
        else
            s += " enter sleep mode for " + in.blockDelay + " hour(s).";
    }
    s += " It will then take " + std::to_string(in.samples) +
         " data points to create one averaged Measurement.  This Measurement will take approx. ";
    if (const auto t = MeasurementSeconds(in.instrumentType, in.samples))
        s += GeneralText(*t) +
             " second(s) to collect. It will then close the shutter (if it has one).";
    if (in.logEnabled == kChecked) s += " The Measurement is then logged into memory. ";
    if (blockLength <= 0) {
        if (measurementDelay > 0) s += DelayWords(measurementDelay) + ".";
        s += " The sensor will continue to loop though the measurement process until it is powered "
             "off. ";
        return s;
    }
    s += " The sensor will then check to see if it has taken " + in.blockLength + " Measurements. ";
    if (measurementDelay > 0)
        s +=
            DelayWords(measurementDelay) + " until it reaches " + in.blockLength + " Measurements.";
    if (in.append == kChecked && in.logEnabled == kChecked)
        s += " If the sensor is done collecting Measurements, it will then write a memory pointer "
             "to "
             "tell the instrument where the data ends. ";
    if (in.wakeUp == kChecked)
        s += " The instrument will then a prompted and be ready to accept commands.";
    if (in.wakeUp == 0)
        s += " The instrument will enter a low power sleep mode, where it must power cycled before "
             "it "
             "will wake up again.";
    return s;
}

void BuildSettingsSummary(Context& ctx) {
    ctx.main.Label35.SetCaption(SettingsSummaryText(ReadInputs(ctx)));
}

void ShowMeasurementTime(Context& ctx) {
    if (const auto t = MeasurementSeconds(ctx.state.InstrumentType, ctx.main.Slider1.Value()))
        ctx.main.Label48.SetCaption("One Measurement will take ~ " + GeneralText(*t) +
                                    " Second(s)");
    BuildSettingsSummary(ctx);
}

void Text2_Change(Context& ctx) {
    BuildSettingsSummary(ctx);
    if (NumberValue(ctx.main.Text2.Text()) > kMaxBlockDelayHours) ctx.main.Text2.SetText("256");
}

void OfferLogEnabledForBlockLength(Context& ctx) {
    MainForm& m = ctx.main;
    if (NumberValue(m.Text3.Text()) <= 0) {
        m.Check1.SetEnabled(false);
        m.Check1.SetValue(0);
    } else {
        m.Check1.SetEnabled(true);
    }
}

void Text3_Change(Context& ctx) {
    MainForm& m = ctx.main;
    if (NumberValue(m.Text3.Text()) > kMaxBlockLength) m.Text3.SetText("65535");
    OfferLogEnabledForBlockLength(ctx);
    BuildSettingsSummary(ctx);
}

void Text4_Change(Context& ctx) {
    MainForm& m = ctx.main;
    if (NumberValue(m.Text4.Text()) > kMaxMeasurementDelay) m.Text4.SetText("65535");
    const double delay = NumberValue(m.Text4.Text());
    if (delay <= 0) {
        m.Label58.SetCaption("(0 Mins 0 Seconds)");
    } else {
        const DelaySplit split = SplitDelay(delay);
        m.Label58.SetCaption("(" + GeneralText(split.minutes) + " Mins " +
                             GeneralText(split.seconds) + " Seconds)");
    }
    BuildSettingsSummary(ctx);
}

}  // namespace zan
