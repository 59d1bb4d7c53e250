#pragma once
#include <string>
#include <vector>

#include "state/program_state.h"

namespace zan {

struct Context;
class FieldStream;
class FlexGrid;

// The whole text of a Cal Info file for the table as the instrument uses it:
// the header naming the file and the day, then one line per coefficient pair
// with the cell texts exactly as they stand. Empty for instruments without a
// table.
std::string CalInfoText(const FlexGrid& table, float instrumentType, const std::string& path,
                        const std::string& date);

// The two numbers of a Cal Info data field "label<TAB>scaling<TAB>offset".
struct CalInfoPair {
    double scaling = 0;
    double offset = 0;
};
CalInfoPair SplitCalInfoField(const std::string& field);

// Something a Cal Info file did not hold as it should, with the line it is on.
struct CalInfoWarning {
    enum class Kind { EndedEarly, NoNumber };
    Kind kind;
    long long line;
    std::string text;
};

// The coefficient pairs of a Cal Info file in file order (one per data line
// read) and what was wrong with it. A file that ends early gives the pairs
// read before its end and an EndedEarly warning "Input past end of file".
struct CalInfoValues {
    std::vector<CalInfoPair> pairs;
    std::vector<CalInfoWarning> warnings;
    bool EndedEarly() const;
};
CalInfoValues ParseCalInfo(FieldStream& fields, float instrumentType);

// Fills the instrument's cells of the table from the pairs, in file order:
// the window's grid, or the cells alone for a tool.
void ApplyCalInfo(const CalInfoValues& values, FlexGrid& table, float instrumentType);
void ApplyCalInfo(const CalInfoValues& values, CalibrationCells& table, float instrumentType);

// "Load Cal Info" and "Save Cal Info".
void Command30_Click(Context& ctx);
void Command31_Click(Context& ctx);

}  // namespace zan
