#include "calibration/calibration_table.h"

#include "context/context.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "state/instruments.h"

namespace zan {
namespace {

// The editor is placed as if every cell were 960 by 240 twips, the grid's
// origin standing at (480, 240) inside the frame.
constexpr int kCellWidth = 960;
constexpr int kCellHeight = 240;
constexpr int kGridLeft = 480;
constexpr int kGridTop = 240;
constexpr int kEnterKey = 13;

std::vector<CalInfoLine> VsfLines() {
    return {{"100", VsfScalingCell(1), VsfOffsetCell(1)},
            {"125", VsfScalingCell(2), VsfOffsetCell(2)},
            {"150", VsfScalingCell(3), VsfOffsetCell(3)}};
}

std::vector<CalInfoLine> TriaLines() {
    std::vector<CalInfoLine> lines;
    const struct {
        const char* labels[3];
        int column;
    } colours[] = {{{"B100", "B125", "B150"}, kBlueTableColumn},
                   {{"G100", "G125", "G150"}, kGreenTableColumn},
                   {{"R100", "R125", "R150"}, kRedTableColumn}};
    for (const auto& colour : colours)
        for (int angle = 1; angle <= 3; ++angle)
            lines.push_back({colour.labels[angle - 1], TriaScalingCell(angle, colour.column),
                             TriaOffsetCell(angle, colour.column)});
    lines.push_back({"Fluor.", kFluorScalingCell, kFluorOffsetCell});
    return lines;
}

// The cell under the editor follows its text as a number.
// The editor writes into the cell it was opened on.
void WriteEditorValue(Context& ctx) {
    const ProgramState& s = ctx.state;
    ctx.main.MSFlexGrid2.SetCell(static_cast<int>(s.EditCellRow),
                                 static_cast<int>(s.EditCellColumn),
                                 GeneralText(NumberValue(ctx.main.Text11.Text())));
}

void HideEditor(Context& ctx) {
    ctx.main.Text11.SetVisible(false);
    ctx.main.Text11.LoseFocus();
}

}  // namespace

const std::vector<CalInfoLine>& CalInfoLayout(float instrumentType) {
    static const std::vector<CalInfoLine> vsf = VsfLines();
    static const std::vector<CalInfoLine> tria = TriaLines();
    static const std::vector<CalInfoLine> none;
    if (IsVsfFamily(instrumentType)) return vsf;
    if (instrumentType == kTria) return tria;
    return none;
}

void MSFlexGrid2_Click(Context& ctx) {
    MainForm& m = ctx.main;
    FlexGrid& grid = m.MSFlexGrid2;
    m.Text11.SetVisible(true);
    // Emptying the editor is not an edit: the cell it last wrote keeps its value.
    Handler change = std::move(m.Text11.onChange);
    m.Text11.SetText("");
    m.Text11.onChange = std::move(change);
    const int row = grid.MouseRow();
    const int col = grid.MouseCol();
    ctx.state.EditCellRow = static_cast<float>(row);
    ctx.state.EditCellColumn = static_cast<float>(col);
    grid.SetCurrent(row, col);
    m.Text11.Move(kGridLeft + kCellWidth * col, kGridTop + kCellHeight * row);
    m.Text11.SetFocus();
}

void Text11_Change(Context& ctx) { WriteEditorValue(ctx); }

void Text11_KeyDown(Context& ctx, int keyCode) {
    if (keyCode != kEnterKey) return;
    WriteEditorValue(ctx);
    HideEditor(ctx);
}

void Text11_LostFocus(Context& ctx) { ctx.main.Text11.SetVisible(false); }

}  // namespace zan
