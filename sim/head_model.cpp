#include "sim/head_model.h"

#include <string_view>

#include "sim/sensor_model.h"

namespace zan::sim {
namespace {

std::string SlotText(char slot) {
    switch (slot) {
        case 'B': return "Blue VSF";
        case 'G': return "Green VSF";
        case 'R': return "Red VSF";
        case 'F': return "Fluorometer";
        default: return "No Sensor";
    }
}

std::string PressureText(char unit) {
    switch (unit) {
        case 'A': return "Atmosphere";
        case 'D': return "dbars";
        case 'P': return "PSI";
        case 'S': return "SI Units";
        case 'V': return "Volts";
        default: return "OFF";
    }
}

const char* OnOff(bool on) { return on ? "ON" : "OFF"; }

bool IsSlotLetter(char c) { return std::string_view("BGRFN").find(c) != std::string_view::npos; }

}  // namespace

std::string HeadHeader(const HeadConfig& c) {
    return std::string("TRIA-0042 ") + c.sensors[0] + c.sensors[1] + c.sensors[2] + ' ' +
           c.pressure + (c.aux1 ? 'Y' : 'N') + (c.aux2 ? 'Y' : 'N');
}

std::string HeadListing(const HeadConfig& c, bool locked, const ListingShape& shape) {
    const std::string before[] = {"ZAN TRIA head", "Configuration listing"};
    const std::string lines[] = {FirmwareLine(SensorModel::Tria),
                                 "Serial number 0042",
                                 "Head slots",
                                 "----------",
                                 "Slot 1: " + SlotText(c.sensors[0]),
                                 "Slot 2: " + SlotText(c.sensors[1]),
                                 "Slot 3: " + SlotText(c.sensors[2]),
                                 "Pressure range: 0 to 300 m",
                                 "----------",
                                 "Pressure output: " + PressureText(c.pressure),
                                 "Auxiliary inputs, 0 to 5 V",
                                 "----------",
                                 std::string("Aux 1: ") + OnOff(c.aux1),
                                 "----------",
                                 std::string("Aux 2: ") + OnOff(c.aux2)};
    std::string out = shape.leadingLineEnd ? "\r\n" : "";
    for (int i = 0; i < shape.linesBefore; ++i) out += before[i % 2] + "\r\n";
    for (const std::string& line : lines) out += line + "\r\n";
    for (int i = 0; i < shape.linesAfter; ++i)
        out += i == 0
                   ? std::string(locked ? "Settings lock: LOCKED" : "Settings lock: open") + "\r\n"
                   : "Note " + std::to_string(i) + "\r\n";
    return out + ">";
}

void ApplyHeadCommand(HeadConfig& c, const std::string& command) {
    const auto slot = [&](std::string_view word, size_t index) {
        if (command.size() != word.size() + 1 || command.compare(0, word.size(), word) != 0)
            return false;
        const char letter = command.back();
        if (!IsSlotLetter(letter)) return false;
        c.sensors[index] = letter;
        return true;
    };
    if (slot("STOPc1", 0) || slot("c2", 1) || slot("c3", 2)) return;
    if (command == "CA1" || command == "CA0")
        c.aux1 = command == "CA1";
    else if (command == "CB1" || command == "CB0")
        c.aux2 = command == "CB1";
    else if (command.size() == 3 && command.compare(0, 2, "CP") == 0 &&
             std::string_view("ADPSVX").find(command[2]) != std::string_view::npos)
        c.pressure = command[2];
}

}  // namespace zan::sim
