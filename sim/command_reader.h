#pragma once
#include <string>
#include <vector>

#include "sim/sensor_model.h"

namespace zan::sim {

// Splits what the program writes into the commands of one model. The VSF
// and DFL take one letter per command (their logger reads each value's
// characters itself). The TRIA head takes the words of its head protocol,
// written back to back with nothing between them ("stopD", "CA1CB0CPPr"); a
// slot word ("STOPc1", "c2", "c3") takes the next character as its slot
// letter, so the command is the word with its letter ("c2N"). Characters that
// start no word are dropped, as the head's own reader would.
class CommandReader {
  public:
    explicit CommandReader(SensorModel model) : model_(model) {}
    // The commands completed by these characters, in order.
    std::vector<std::string> Take(const std::string& text);
    // A wake-up or power cycle abandons a half-read word.
    void Reset() { word_.clear(); }

  private:
    void TakeHeadCharacter(char c, std::vector<std::string>& done);
    SensorModel model_;
    std::string word_;
};

}  // namespace zan::sim
