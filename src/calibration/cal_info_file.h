#pragma once
#include <string>

#include "platform/system_clock.h"

namespace zan {

struct Context;
class FieldReader;
class FlexGrid;

// A date in the user's short date pattern ("M/d/yyyy", "dd.MM.yy", ...).
std::string FormatShortDate(const LocalDateTime& date, const std::string& pattern);

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

// Skips the header fields and fills the instrument's cells from the data
// fields, cell by cell. A file that ends early leaves the cells already filled
// and throws the reader's failure.
void ReadCalInfo(FieldReader& reader, FlexGrid& table, float instrumentType);

// "Load Cal Info" and "Save Cal Info".
void Command30_Click(Context& ctx);
void Command31_Click(Context& ctx);

}  // namespace zan
