#pragma once
#include <stdexcept>
#include <string>

#include "calibration/calibration_table.h"
#include "core/number_value.h"

namespace zan {

// What a coefficient cell of the table is, in the user's words: "the 125°
// offset", "the green 100° scaling factor", "the fluorometer offset".
std::string CoefficientName(float instrumentType, CellRef cell);

// A coefficient cell that holds no number: the description names the cell
// and what it holds, rather than the reader's bare "Type mismatch".
class MissingCoefficient : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// What the window tells after a MissingCoefficient: how to fill the table.
inline constexpr const char* kFillCalibrationTable =
    " Load a Cal Info file (\"Load Cal Info\" under Data Options on the Data and Packet "
    "Processing tab) or type the number into that cell, then choose the beta view in the Graphs "
    "menu again.";

// The number a coefficient cell holds, read as packet decoding reads it (the
// whole text, blanks around it allowed), through the cache. An empty or
// non-numeric cell throws MissingCoefficient.
double CoefficientNumber(ParsedCell& cache, const std::string& text, float instrumentType,
                         CellRef cell);
double CoefficientNumber(const std::string& text, float instrumentType, CellRef cell);

}  // namespace zan
