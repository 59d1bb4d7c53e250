#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "sim/head_model.h"

namespace zan::sim {

enum class SensorModel { Vsf, Vsfs, Dfl, Dfls, Tria };

// "VSF", "vsfs", "DFL", ... as typed on a command line.
std::optional<SensorModel> ParseSensorModel(std::string_view text);
std::string ModelName(SensorModel model);

// Seconds between two measurement lines: the fluorometers measure once per
// tick of their time count, the others once a second.
double LineInterval(SensorModel model);

// The first line a sensor prints when it wakes, without its CR LF.
std::string FirmwareLine(SensorModel model);

// The TRIA head header of a head as it leaves the factory: blue, green and
// red in slots 1 to 3, pressure in PSI and no auxiliary inputs.
inline constexpr const char* kTriaHeader = "TRIA-0042 BGR PNN";

// Builds the measurement lines a sensor prints, CR LF included, from the
// seconds since the simulated clock's start. Values wander a little from
// line to line in a repeatable way.
class LineGenerator {
  public:
    explicit LineGenerator(SensorModel model, unsigned seed = 1) : model_(model), state_(seed) {}
    std::string Line(double secondsSinceStart);
    // The layout of a TRIA head's lines.
    HeadConfig head;

  private:
    int Noise(int amplitude);
    SensorModel model_;
    unsigned state_;
};

}  // namespace zan::sim
