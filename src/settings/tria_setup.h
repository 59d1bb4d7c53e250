#pragma once
#include <optional>
#include <string>

namespace zan {

struct Context;

// The TRIA head setup frame: read the head's configuration (sensor per slot,
// auxiliary inputs, pressure output unit), send it back, lock it.

// The firmware button's caption from the listing's firmware line: from its
// first "VSF" (any letter case) on, or the whole line without one.
std::string HeadFirmwareCaption(const std::string& line);
// The combo position a slot line names by its last 7 characters, or nothing
// for an ending the head never prints.
std::optional<int> SlotPosition(const std::string& line);
// The Combo4 position a pressure line names by its last 3 characters.
std::optional<int> PressurePosition(const std::string& line);
// An auxiliary line says "ON", in any letter case.
bool SaysOn(const std::string& line);

// Retrieve Settings: stops the head, reads its listing from List2, fills the frame.
void Command12_Click(Context& ctx);
// Apply Settings: sends the frame's configuration and runs the head again.
void Command4_Click(Context& ctx);
// Lock Settings: locks the head's configuration.
void Command13_Click(Context& ctx);

}  // namespace zan
