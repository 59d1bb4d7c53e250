#pragma once
#include <string_view>

namespace zan {

// The TRIA head layout read from a packet's header field: characters 11..13
// name the slots, 15 the pressure output, 16 and 17 the auxiliary inputs.
// Columns are 0-based packet fields, 0 when absent.
struct TriaLayout {
    float blueColumn = 0, greenColumn = 0, redColumn = 0;
    float fluorColumn = 0;  // stays 0 when the header names no fluorometer
    float sensorColumnEnd = 0;
    bool pressure = false, aux1 = false, aux2 = false;
    float fieldCount = 0;
};
TriaLayout ReadTriaHeader(std::string_view header);

}  // namespace zan
