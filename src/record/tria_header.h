#pragma once
#include <array>
#include <cstddef>
#include <string_view>

namespace zan {

// Characters 11 to 17 of a TRIA header, which describe the fields of its
// line: the three slots, the supply voltage, the pressure output and the two
// auxiliary inputs. A character the header is too short to have reads as '\0'.
// The one reader of a header; packet decoding and the data file conversion
// each read the letters by their own rules.
struct TriaHeaderLetters {
    std::array<char, 7> letters{};
    bool complete = false;  // the header has all seven

    char Slot(std::size_t slot) const { return letters[slot]; }  // 0, 1, 2
    char Voltage() const { return letters[3]; }
    char Pressure() const { return letters[4]; }
    char Aux1() const { return letters[5]; }
    char Aux2() const { return letters[6]; }

    bool operator==(const TriaHeaderLetters& other) const { return letters == other.letters; }
    bool operator!=(const TriaHeaderLetters& other) const { return !(*this == other); }
};
TriaHeaderLetters ReadTriaHeaderLetters(std::string_view header);

// The TRIA head layout packet decoding reads from a header: characters 11..13
// name the slots (B, G, R, F), 15 the pressure output (A, D, P, S, V), 16 and
// 17 the auxiliary inputs (present unless N; a header too short to have the
// character has no such input). Columns are 0-based packet fields, 0 when absent.
struct TriaLayout {
    float blueColumn = 0, greenColumn = 0, redColumn = 0;
    float fluorColumn = 0;  // stays 0 when the header names no fluorometer
    float sensorColumnEnd = 0;
    bool pressure = false, aux1 = false, aux2 = false;
    float fieldCount = 0;
};
TriaLayout ReadTriaHeader(std::string_view header);
TriaLayout TriaLayoutOf(const TriaHeaderLetters& head);

}  // namespace zan
