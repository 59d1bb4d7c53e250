#include "settings/tria_listing.h"

#include <algorithm>
#include <cctype>

#include "controls/controls.h"
#include "link/exchange.h"

namespace zan {
namespace {

constexpr int kListingLines = 16;
// Where each line the program reads stands, counted from the slot 1 line.
constexpr int kFirmwareFromSlot1 = -4;
constexpr int kPressureFromSlot1 = 5;
constexpr int kAux1FromSlot1 = 8;
constexpr int kAux2FromSlot1 = 10;
// The slot 1 line stands this many lines before the prompt in a listing of
// the usual length.
constexpr int kSlot1BeforePrompt = 12;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The newest entry from which three entries in a row name slots.
int FindSlotLines(const ListBox& list, int firstEntry) {
    for (int i = list.Count() - 3; i >= firstEntry; --i)
        if (SlotPosition(list.Entry(i)) && SlotPosition(list.Entry(i + 1)) &&
            SlotPosition(list.Entry(i + 2)))
            return i;
    return -1;
}

const char* const kNotListed =
    " The head did not list its settings: check that it is powered and connected, then retrieve "
    "again. The frame was left as it was.";

// The listing line at an entry; a line that is missing, empty, not ended yet
// or holds a tab (a measurement of a head that is still streaming) is no
// listing line.
std::string ListingLine(const ListBox& list, int firstEntry, int entry, int lineNumber) {
    // The newest entry is still open: its line has not ended yet.
    const bool ended = entry >= firstEntry && entry < list.Count() - 1;
    const std::string text = ended ? list.Entry(entry) : std::string();
    const std::string which =
        " (line " + std::to_string(lineNumber) + " of " + std::to_string(kListingLines) + ").";
    if (text.empty())
        throw ExchangeFailure(
            "The head's listing is incomplete: line " + std::to_string(lineNumber) + " of " +
                std::to_string(kListingLines) + " is missing or too short." + kNotListed,
            "TRIA Setup");
    if (text.find('\t') != std::string::npos)
        throw ExchangeFailure(
            "The head sent measurements where its listing should be" + which + kNotListed,
            "TRIA Setup");
    return text;
}

}  // namespace

std::string HeadFirmwareCaption(const std::string& line) {
    const size_t vsf = Upper(line).find("VSF");
    return vsf == std::string::npos ? line : line.substr(vsf);
}

std::optional<int> SlotPosition(const std::string& line) {
    static const char* const endings[] = {"lue VSF", "een VSF", "Red VSF", "rometer", " Sensor"};
    for (int i = 0; i < 5; ++i)
        if (EndsWith(line, endings[i])) return i;
    return std::nullopt;
}

std::optional<int> PressurePosition(const std::string& line) {
    static const std::pair<const char*, int> endings[] = {{"ars", 1}, {"ere", 0}, {"PSI", 2},
                                                          {"its", 3}, {"lts", 4}, {"OFF", 5}};
    for (const auto& [ending, position] : endings)
        if (EndsWith(line, ending)) return position;
    return std::nullopt;
}

bool SaysOn(const std::string& line) { return Upper(line).find("ON") != std::string::npos; }

HeadSetup ReadHeadListing(const ListBox& list, int firstEntry) {
    const int found = FindSlotLines(list, firstEntry);
    const int slot1 = found >= 0 ? found : list.Count() - 1 - kSlot1BeforePrompt;
    // Lines are numbered as they stand before the prompt in a listing of the usual length.
    auto line = [&](int fromSlot1) {
        return ListingLine(list, firstEntry, slot1 + fromSlot1, kSlot1BeforePrompt - fromSlot1);
    };
    HeadSetup listing;
    listing.firmwareLine = line(kFirmwareFromSlot1);
    for (int i = 0; i < 3; ++i) listing.slots[static_cast<size_t>(i)] = SlotPosition(line(i));
    listing.pressure = PressurePosition(line(kPressureFromSlot1));
    listing.aux1 = SaysOn(line(kAux1FromSlot1));
    listing.aux2 = SaysOn(line(kAux2FromSlot1));
    return listing;
}

}  // namespace zan
