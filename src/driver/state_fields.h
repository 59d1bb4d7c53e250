#pragma once
#include <optional>
#include <string>

namespace zan {

struct ProgramState;

// The text of a program-state variable by its name, such as "InstrumentType"
// or "PlotY(0)" or "PacketTable(3,2)"; nothing for an unknown name.
std::optional<std::string> StateFieldText(const ProgramState& state, const std::string& name);

}  // namespace zan
