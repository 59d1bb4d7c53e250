#pragma once
#include <array>
#include <optional>
#include <string>

namespace zan {

class ListBox;

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

// What the head's listing says it is set up to measure.
struct HeadSetup {
    std::string firmwareLine;
    std::array<std::optional<int>, 3> slots;  // Combo1 to Combo3 positions
    std::optional<int> pressure;              // Combo4 position
    bool aux1 = false, aux2 = false;
};

// Reads the head's answer to "stop" and "D" out of List2, from firstEntry
// on. The listing is found by its three slot lines, one after the other, so
// a listing of another length, or one whose first line ran into a prompt
// printed without a line end, reads the same; when no three lines name
// slots, its lines are counted back from the newest entry (the prompt).
// Throws ExchangeFailure (title "TRIA Setup") for a listing that is cut off
// or that measurements stand in.
HeadSetup ReadHeadListing(const ListBox& list, int firstEntry);

}  // namespace zan
