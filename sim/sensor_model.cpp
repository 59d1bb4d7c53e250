#include "sim/sensor_model.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace zan::sim {
namespace {

// The simulated clock starts at noon on 6 December 2026.
constexpr int kStartSecondOfDay = 12 * 3600;
constexpr const char* kDate = "12/06/26";
// One unit of the fluorometer's time count, in seconds (1.54319e-5 day).
constexpr double kDflTimeUnitSeconds = 1.54319e-5 * 86400.0;

std::string TimeOfDay(double seconds) {
    const long total = (kStartSecondOfDay + static_cast<long>(seconds)) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", total / 3600, total / 60 % 60,
                  total % 60);
    return text;
}

// A colour sensor's counts at its three angles, before the swell and the noise.
const int* ColourBase(char slot) {
    static const int bases[3][3] = {{2100, 1420, 1030}, {1760, 1190, 880}, {1380, 940, 700}};
    switch (slot) {
        case 'B': return bases[0];
        case 'G': return bases[1];
        case 'R': return bases[2];
        default: return nullptr;
    }
}

}  // namespace

std::optional<SensorModel> ParseSensorModel(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "VSF") return SensorModel::Vsf;
    if (upper == "VSFS") return SensorModel::Vsfs;
    if (upper == "DFL") return SensorModel::Dfl;
    if (upper == "DFLS") return SensorModel::Dfls;
    if (upper == "TRIA") return SensorModel::Tria;
    return std::nullopt;
}

std::string ModelName(SensorModel model) {
    switch (model) {
        case SensorModel::Vsf: return "VSF";
        case SensorModel::Vsfs: return "VSFS";
        case SensorModel::Dfl: return "DFL";
        case SensorModel::Dfls: return "DFLS";
        case SensorModel::Tria: return "TRIA";
    }
    return "VSF";
}

double LineInterval(SensorModel model) {
    return model == SensorModel::Dfl || model == SensorModel::Dfls ? kDflTimeUnitSeconds : 1.0;
}

std::string FirmwareLine(SensorModel model) {
    switch (model) {
        case SensorModel::Dfl:
        case SensorModel::Dfls: return ModelName(model) + " DFL 2.10";
        case SensorModel::Tria: return "TRIA VSF 1.02";
        default: return ModelName(model) + " VSF 1.02";
    }
}

int LineGenerator::Noise(int amplitude) {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ >> 16) % (2u * amplitude + 1u)) - amplitude;
}

std::string LineGenerator::Line(double seconds) {
    char text[160];
    // A slow swell, as of particles drifting past the window.
    const double swell = std::sin(seconds / 60.0);
    switch (model_) {
        case SensorModel::Vsf:
        case SensorModel::Vsfs:
            std::snprintf(text, sizeof text, "%s\t%s\t%d\t%d\t%d\t%d\r\n", kDate,
                          TimeOfDay(seconds).c_str(),
                          1850 + static_cast<int>(120 * swell) + Noise(15),
                          1210 + static_cast<int>(80 * swell) + Noise(12),
                          960 + static_cast<int>(60 * swell) + Noise(10), 4010 + Noise(4));
            break;
        case SensorModel::Dfl:
        case SensorModel::Dfls: {
            const long count = std::lround((kStartSecondOfDay + seconds) / kDflTimeUnitSeconds);
            std::snprintf(text, sizeof text, "%s\t%ld\t%d\r\n", kDate, count,
                          620 + static_cast<int>(140 * swell) + Noise(20));
            break;
        }
        case SensorModel::Tria: {
            // Per slot: a colour's three angles and its reference, or the
            // fluorometer's one count; then the supply voltage, and the
            // pressure and auxiliary inputs that are switched on.
            std::string line = HeadHeader(head) + "\t" + TimeOfDay(seconds);
            for (char slot : head.sensors) {
                if (const int* base = ColourBase(slot)) {
                    for (int angle = 0; angle < 3; ++angle)
                        line += "\t" + std::to_string(base[angle] + static_cast<int>(90 * swell) +
                                                      Noise(12));
                    line += "\t" + std::to_string(4000 + Noise(4));
                } else if (slot == 'F') {
                    line += "\t" + std::to_string(620 + static_cast<int>(140 * swell) + Noise(20));
                }
            }
            std::snprintf(text, sizeof text, "\t%.2f", 12.0 + Noise(3) / 100.0);
            line += text;
            if (head.pressure != 'X') {
                std::snprintf(text, sizeof text, "\t%.1f", 10.0 + 0.5 * swell);
                line += text;
            }
            for (bool on : {head.aux1, head.aux2}) {
                if (!on) continue;
                std::snprintf(text, sizeof text, "\t%.3f", 1.25 + 0.1 * swell + Noise(5) / 1000.0);
                line += text;
            }
            return line + "\r\n";
        }
    }
    return text;
}

}  // namespace zan::sim
