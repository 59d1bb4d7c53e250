#pragma once
#include <vector>

namespace zan {

struct Context;

// A cell of the calibration table (MSFlexGrid2): row 0 and column 0 are headings.
struct CellRef {
    int row;
    int col;
};

// VSF and VSFS: per angle row (1, 2, 3 = 100, 125, 150 degrees) the scaling
// factor in column 1 and the offset in column 2.
inline CellRef VsfScalingCell(int angleRow) { return {angleRow, 1}; }
inline CellRef VsfOffsetCell(int angleRow) { return {angleRow, 2}; }

// TRIA: the colour columns of the table, the scaling factors in the angle rows
// 1..3 and the offsets four rows below them.
inline constexpr int kBlueTableColumn = 1;
inline constexpr int kGreenTableColumn = 2;
inline constexpr int kRedTableColumn = 3;
inline CellRef TriaScalingCell(int angleRow, int colourColumn) { return {angleRow, colourColumn}; }
inline CellRef TriaOffsetCell(int angleRow, int colourColumn) {
    return {angleRow + 4, colourColumn};
}
inline constexpr CellRef kFluorScalingCell{1, 4};
inline constexpr CellRef kFluorOffsetCell{5, 4};

// One data line of a Cal Info file: its label and the two cells it carries.
struct CalInfoLine {
    const char* label;
    CellRef scaling;
    CellRef offset;
};

// The data lines for an instrument in file order; empty for instruments that
// keep no calibration table.
const std::vector<CalInfoLine>& CalInfoLayout(float instrumentType);

// The in-cell editor Text11 over MSFlexGrid2.
void MSFlexGrid2_Click(Context& ctx);
void Text11_Change(Context& ctx);
void Text11_KeyDown(Context& ctx, int keyCode);
void Text11_LostFocus(Context& ctx);

}  // namespace zan
