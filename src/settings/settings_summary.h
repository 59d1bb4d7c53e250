#pragma once
#include <optional>
#include <string>

namespace zan {

struct Context;

// Limits of the settings frame's numeric boxes.
inline constexpr double kMaxBlockDelayHours = 256;
inline constexpr double kMaxBlockLength = 65535;
inline constexpr double kMaxMeasurementDelay = 65535;

// Seconds one measurement takes for n samples, to the nearest tenth; only the
// VSF and DFL have a timing model.
std::optional<double> MeasurementSeconds(float instrumentType, int samples);

// A delay in seconds as whole minutes and the seconds left over (fraction kept).
struct DelaySplit {
    double minutes = 0;
    double seconds = 0;
};
DelaySplit SplitDelay(double delaySeconds);

// Everything the plain-language summary depends on, as the frame shows it.
struct SummaryInputs {
    int autoStart = 0, logEnabled = 0, wakeUp = 0, append = 0;  // 0 clear, 1 checked, 2 grey
    int samples = 1;
    std::string blockDelay, blockLength, measurementDelay;  // Text2, Text3, Text4
    float instrumentType = 0;
};
std::string SettingsSummaryText(const SummaryInputs& in);

// The frame's change rules.
// Log Enabled is offered only with a block length: without one the logger
// would never stop writing.
void OfferLogEnabledForBlockLength(Context& ctx);
void ShowMeasurementTime(Context& ctx);
void BuildSettingsSummary(Context& ctx);
void Text2_Change(Context& ctx);
void Text3_Change(Context& ctx);
void Text4_Change(Context& ctx);

}  // namespace zan
