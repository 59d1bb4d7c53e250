#include "decoding/decoding_wiring.h"

#include "calibration/coefficient_number.h"
#include "context/context.h"
#include "core/number_text.h"
#include "decoding/process_packet.h"
#include "state/instruments.h"

namespace zan {
namespace {

// The calibration table's cells as the grid now shows them.
void KeepCalibrationTable(Context& ctx) {
    const FlexGrid& grid = ctx.main.MSFlexGrid2;
    ProgramState& s = ctx.state;
    s.VsfCoefficientsCurrent = false;
    const int row = grid.ChangedRow(), col = grid.ChangedCol();
    if (row >= 0 && row < kCalibrationRows && col >= 0 && col < kCalibrationCols) {
        s.CalibrationTable[static_cast<size_t>(row)][static_cast<size_t>(col)] =
            grid.Cell(row, col);
        return;
    }
    for (int r = 0; r < kCalibrationRows && r < grid.Rows(); ++r)
        for (int c = 0; c < kCalibrationCols && c < grid.Cols(); ++c)
            s.CalibrationTable[static_cast<size_t>(r)][static_cast<size_t>(c)] = grid.Cell(r, c);
}

void ShowTriaLayout(MainForm& m, const TriaLayout& layout) {
    m.Label14.SetCaption(GeneralTextSingle(layout.blueColumn));
    m.Label15.SetCaption(GeneralTextSingle(layout.greenColumn));
    m.Label20.SetCaption(GeneralTextSingle(layout.redColumn));
    m.Label28.SetCaption(GeneralTextSingle(layout.fieldCount));
}

}  // namespace

void ShowDecodedRecord(Context& ctx, const DecodedRecord& record) {
    MainForm& m = ctx.main;
    if (record.tria && record.instrumentType == kTria) ShowTriaLayout(m, *record.tria);
    for (int row = 0; row < kOutputRows; ++row) {
        if (!record.RowChanged(row)) continue;
        if (row == kFluorOutputRow && record.fluorHeading) m.MSFlexGrid1.SetCell(row, 0, "Fluor");
        m.MSFlexGrid1.SetCell(row, 1, std::string(record.Output(row)));
    }
    if (record.fluorometerChanged) m.Text47.SetText(std::string(record.fluorometerText->View()));
    if (record.failure)
        ShowError(ctx, *record.failure + (record.missingCoefficient ? kFillCalibrationTable : ""));
}

void WireDecoding(Context& ctx) {
    MainForm& m = ctx.main;
    ProgramState& s = ctx.state;
    ctx.packetHandlers.decode = [&s](const PacketView& packet) { return ProcessPacket(s, packet); };
    ctx.packetHandlers.Register(
        [&ctx](const DecodedRecord& record) { ShowDecodedRecord(ctx, record); });
    KeepCalibrationTable(ctx);
    m.MSFlexGrid2.Observe([&ctx](Property property) {
        if (property == Property::Cells) KeepCalibrationTable(ctx);
    });
    s.DflOffsetText = m.Text10.Text();
    s.DflScalingText = m.Text16.Text();
    m.Text10.Observe([&ctx](Property property) {
        if (property == Property::Text) ctx.state.DflOffsetText = ctx.main.Text10.Text();
    });
    m.Text16.Observe([&ctx](Property property) {
        if (property == Property::Text) ctx.state.DflScalingText = ctx.main.Text16.Text();
    });
}

}  // namespace zan
