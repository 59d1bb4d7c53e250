#pragma once
#include <array>
#include <string>

namespace zan::sim {

// What the TRIA head is set up to measure: the sensor in each of its three
// slots ("B" blue, "G" green, "R" red scattering meter, "F" fluorometer, "N"
// none), the pressure output unit by its command letter ("A" atmospheres,
// "D" dbars, "P" PSI, "S" SI units of MPa, "V" volts, "X" no output), and the
// two auxiliary analog inputs.
struct HeadConfig {
    std::array<char, 3> sensors{'B', 'G', 'R'};
    char pressure = 'P';
    bool aux1 = false, aux2 = false;
};

// The header that starts each measurement line: characters 11 to 13 are the
// slots, 15 the pressure output, 16 and 17 the auxiliary inputs ("N" off).
std::string HeadHeader(const HeadConfig& config);

// The head's answer to "D": a listing whose 15 lines from the firmware line
// on carry the firmware, the slots, the pressure unit and the auxiliary
// inputs, with linesBefore lines before them and linesAfter after (the
// first of which tells the lock), each line ended by CR LF, then the prompt.
// The listing starts with CR LF when leadingLineEnd holds.
struct ListingShape {
    bool leadingLineEnd = true;
    int linesBefore = 2;
    int linesAfter = 1;
};
std::string HeadListing(const HeadConfig& config, bool locked, const ListingShape& shape);

// Takes one of the head's set-up commands ("STOPc1B", "c2G", "c3R", "CA1",
// "CB0", "CPD"); anything else leaves the configuration as it is.
void ApplyHeadCommand(HeadConfig& config, const std::string& command);

}  // namespace zan::sim
