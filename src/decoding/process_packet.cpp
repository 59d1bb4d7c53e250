#include "decoding/process_packet.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "calibration/calibration_table.h"
#include "context/context.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "graphs/graph_views.h"
#include "graphs/plot_packet.h"
#include "graphs/time_window.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr int kVsfFields = 6;
constexpr int kDflFields = 3;
// One unit of the fluorometer's time count in days.
constexpr double kDflTimeUnitDays = 1.54319 / 100000;
// One minute in days: the width of the chlorophyll time window and the unit
// of the scaled window of the raw-count view.
constexpr double kMinuteDays = 0.00069444444;
constexpr int kChlorophyllHistoryWrap = 10000;
constexpr int kCountsHistoryWrap = 10001;
constexpr int kFluorOutputRow = 10;

[[noreturn]] void OutOfRange() { throw std::out_of_range("Subscript out of range"); }

// The completed packet: its fields and its separator count.
struct Packet {
    const std::array<std::string, kPacketFields>& fields;
    float count;

    const std::string& Field(int k) const {
        if (k < 0 || k >= kPacketFields) OutOfRange();
        return fields[static_cast<size_t>(k)];
    }
    double Value(int k) const { return NumberValue(Field(k)); }
    double Value(float k) const { return Value(static_cast<int>(k)); }
};

Packet CurrentPacket(const ProgramState& s) {
    if (!(s.PacketRow >= 0 && s.PacketRow < kPacketRows)) OutOfRange();
    const auto row = static_cast<size_t>(s.PacketRow);
    return {s.PacketTable[row], s.PacketColumnCount[row]};
}

double CellNumber(const FlexGrid& table, CellRef cell) {
    return WholeTextNumber(table.Cell(cell.row, cell.col));
}

void SetOutput(Context& ctx, int row, const std::string& text) {
    ctx.main.MSFlexGrid1.SetCell(row, 1, text);
}

void PlotIfGraphing(Context& ctx) {
    if (ctx.state.GraphingOn == 1) PlotPacket(ctx);
}

void DecodeVsfCounts(Context& ctx, const Packet& p) {
    ProgramState& s = ctx.state;
    s.PlotX = {100, 125, 150, 180};
    s.PlotY = {p.Value(2), p.Value(3), p.Value(4), 0};
    for (int i = 0; i < 3; ++i) SetOutput(ctx, i + 1, GeneralText(s.PlotY[static_cast<size_t>(i)]));
    PlotIfGraphing(ctx);
}

// A VSF coefficient (0..2 offsets, 3..5 scalings), read from the table again
// only after one of its cells changed.
double VsfCoefficient(ProgramState& s, const FlexGrid& table, size_t k) {
    ParsedCell& cache = s.VsfCoefficients[k];
    if (s.VsfCoefficientsCurrent) return cache.value;
    const int angle = static_cast<int>(k % 3) + 1;
    const CellRef cell = k < 3 ? VsfOffsetCell(angle) : VsfScalingCell(angle);
    return CachedWholeTextNumber(cache, table.Cell(cell.row, cell.col));
}

// The text of the rounded beta, straight from its whole millionths while they are few enough.
std::string BetaText(double beta) {
    const double millionths = std::floor((beta + 0.0000005) * 1000000);
    if (std::fabs(millionths) < 1e15) return MillionthsText(static_cast<std::int64_t>(millionths));
    return GeneralText(RoundBeta(beta));
}

void DecodeVsfBeta(Context& ctx, const Packet& p) {
    ProgramState& s = ctx.state;
    const FlexGrid& table = ctx.main.MSFlexGrid2;
    s.PlotX = {1.74532925199433, 2.18166156499291, 2.61799387799149, 3.14159265358979};
    std::array<double, 3> beta{};
    for (size_t i = 0; i < 3; ++i) {
        const double counts = p.Value(static_cast<int>(i) + 2);
        const double off = VsfCoefficient(s, table, i);
        beta[i] = (counts - off) * VsfCoefficient(s, table, i + 3);
        s.PlotY[i] = beta[i];
    }
    s.VsfCoefficientsCurrent = true;
    s.PlotY[3] = 0;
    for (size_t i = 0; i < 3; ++i) SetOutput(ctx, static_cast<int>(i) + 1, BetaText(beta[i]));
    // The graph shows beta weighted by 2 pi sin(angle); the grid keeps beta.
    s.PlotY[0] = beta[0] * 2 * kPi * 0.984807753012208;
    s.PlotY[1] = beta[1] * 2 * kPi * 0.819152044288992;
    s.PlotY[2] = beta[2] * 2 * kPi * 0.5;
    PlotIfGraphing(ctx);
}

void StoreHistoryPoint(ProgramState& s) {
    if (!(s.TimePointIndex >= 0 && s.TimePointIndex < static_cast<double>(s.TimeHistoryX.size()) &&
          s.TimePointIndex < static_cast<double>(s.TimeHistoryY.size())))
        OutOfRange();
    const auto slot = static_cast<size_t>(s.TimePointIndex);
    s.TimeHistoryX[slot] = s.PlotX[0];
    s.TimeHistoryY[slot] = s.PlotY[0];
    s.TimeHistoryFilled[slot] = 1;
}

// Both fluorometer views: the newest point of the time history, in
// chlorophyll through the two calibration boxes or in raw counts. The
// chlorophyll window is one minute wide; the raw-count window is as many
// minutes as the scale factor says.
void DecodeDfl(Context& ctx, const Packet& p, bool chlorophyll) {
    ProgramState& s = ctx.state;
    MainForm& m = ctx.main;
    s.TimePointIndex += 1;
    if (s.TimePointIndex >= (chlorophyll ? kChlorophyllHistoryWrap : kCountsHistoryWrap))
        s.TimePointIndex = 0;
    const double t = p.Value(1) * kDflTimeUnitDays;
    const double counts = p.Value(2);
    double minutes = 1;
    if (chlorophyll) {
        m.Text47.SetText(
            GeneralText((counts - NumberValue(m.Text10.Text())) * NumberValue(m.Text16.Text())));
        s.PlotY[0] = NumberValue(m.Text47.Text());
    } else {
        m.Text47.SetText(GeneralText(counts));
        s.PlotY[0] = counts;
        minutes = m.CWNumEdit2.Value();
        ShowTimeWindowStart(ctx);
    }
    s.PlotX[0] = t;
    // A window reaching past midnight of the day count keeps its end on the
    // next day (past 1): wrapping it back would put the end before the start.
    if (s.GraphingOn == 1)
        FollowTimePoint(ctx, t, t + kMinuteDays * minutes,
                        GeneralText(21 * minutes) + " seconds per div");
    StoreHistoryPoint(s);
    PlotIfGraphing(ctx);
}

void ApplyTriaLayout(Context& ctx, const TriaLayout& layout) {
    ProgramState& s = ctx.state;
    s.TriaBlueColumn = layout.blueColumn;
    s.TriaGreenColumn = layout.greenColumn;
    s.TriaRedColumn = layout.redColumn;
    if (layout.fluorColumn != 0) s.TriaFluorColumn = layout.fluorColumn;
    s.TriaSensorColumnEnd = layout.sensorColumnEnd;
    if (layout.pressure) s.TriaHasPressure = 1;
    if (layout.aux1) s.TriaHasAux1 = 1;
    if (layout.aux2) s.TriaHasAux2 = 1;
    ctx.main.Label14.SetCaption(GeneralTextSingle(s.TriaBlueColumn));
    ctx.main.Label15.SetCaption(GeneralTextSingle(s.TriaGreenColumn));
    ctx.main.Label20.SetCaption(GeneralTextSingle(s.TriaRedColumn));
    ctx.main.Label28.SetCaption(GeneralTextSingle(layout.fieldCount));
}

// One colour sensor of the head: where its counts stand in the packet, its
// table column, its arrays and its first output row.
struct TriaColour {
    float column;
    int tableColumn;
    std::array<float, 4>& angles;
    std::array<float, 4>& values;
    int firstOutputRow;
};

std::array<TriaColour, 3> TriaColours(ProgramState& s) {
    return {{{s.TriaRedColumn, kRedTableColumn, s.TriaRedAngles, s.TriaRedValues, 7},
             {s.TriaBlueColumn, kBlueTableColumn, s.TriaBlueAngles, s.TriaBlueValues, 1},
             {s.TriaGreenColumn, kGreenTableColumn, s.TriaGreenAngles, s.TriaGreenValues, 4}}};
}

void StoreTriaColour(Context& ctx, const TriaColour& colour, const std::array<float, 3>& values) {
    colour.angles = {100, 125, 150, 180};
    colour.values = {values[0], values[1], values[2], 0};
    for (int i = 0; i < 3; ++i)
        SetOutput(ctx, colour.firstOutputRow + i,
                  GeneralTextSingle(values[static_cast<size_t>(i)]));
}

void ShowTriaFluor(Context& ctx, double value) {
    ctx.main.MSFlexGrid1.SetCell(kFluorOutputRow, 0, "Fluor");
    SetOutput(ctx, kFluorOutputRow, GeneralText(value));
}

void DecodeTriaCounts(Context& ctx, const Packet& p) {
    ProgramState& s = ctx.state;
    for (const TriaColour& colour : TriaColours(s)) {
        if (colour.column == 0) continue;
        const int c = static_cast<int>(colour.column);
        StoreTriaColour(ctx, colour,
                        {static_cast<float>(p.Value(c)), static_cast<float>(p.Value(c + 1)),
                         static_cast<float>(p.Value(c + 2))});
    }
    if (s.TriaFluorColumn != 0) ShowTriaFluor(ctx, p.Value(s.TriaFluorColumn));
    PlotIfGraphing(ctx);
}

// The copied coefficient of a table cell; a copy never filled counts as 0,
// while a copied empty cell is as much a missing coefficient as in the table.
double CopiedCoefficient(const ProgramState& s, CellRef cell) {
    const int rowIndex = cell.row <= 3 ? cell.row - 1 : cell.row - 2;
    const auto& text = s.TriaCoefficients[static_cast<size_t>(rowIndex * 3 + cell.col - 1)];
    return text ? WholeTextNumber(*text) : 0;
}

// Copying once per Cal Info load spares eighteen table reads per packet.
void CopyTriaCoefficients(Context& ctx) {
    ProgramState& s = ctx.state;
    const FlexGrid& table = ctx.main.MSFlexGrid2;
    size_t k = 0;
    for (int row : {1, 2, 3, 5, 6, 7})
        for (int col = 1; col <= 3; ++col) s.TriaCoefficients[k++] = table.Cell(row, col);
    s.CalibrationReloadPending = 0;
}

void DecodeTriaBeta(Context& ctx, const Packet& p) {
    ProgramState& s = ctx.state;
    if (s.CalibrationReloadPending == 1) CopyTriaCoefficients(ctx);
    for (const TriaColour& colour : TriaColours(s)) {
        if (colour.column == 0) continue;
        const int c = static_cast<int>(colour.column);
        std::array<float, 3> values{};
        for (int i = 1; i <= 3; ++i) {
            const double offset = CopiedCoefficient(s, TriaOffsetCell(i, colour.tableColumn));
            const double scaling = CopiedCoefficient(s, TriaScalingCell(i, colour.tableColumn));
            values[static_cast<size_t>(i - 1)] =
                static_cast<float>((p.Value(c + i - 1) - offset) * scaling);
        }
        StoreTriaColour(ctx, colour, values);
    }
    if (s.TriaFluorColumn != 0) {
        const FlexGrid& table = ctx.main.MSFlexGrid2;
        const double counts = p.Value(s.TriaFluorColumn);
        ShowTriaFluor(ctx, (counts - CellNumber(table, kFluorOffsetCell)) *
                               CellNumber(table, kFluorScalingCell));
    }
    PlotIfGraphing(ctx);
}

void DecodeTria(Context& ctx, const Packet& p) {
    const TriaLayout layout = ReadTriaHeader(p.Field(0));
    ApplyTriaLayout(ctx, layout);
    const float view = ctx.state.GraphView;
    if (view != kViewTriaCounts && view != kViewTriaBeta) return;
    if (p.count != layout.fieldCount) return;
    if (view == kViewTriaCounts)
        DecodeTriaCounts(ctx, p);
    else
        DecodeTriaBeta(ctx, p);
}

void Decode(Context& ctx) {
    const ProgramState& s = ctx.state;
    const float type = s.InstrumentType;
    const float view = s.GraphView;
    const Packet p = CurrentPacket(s);
    if (IsVsfFamily(type)) {
        if (p.count != kVsfFields) return;
        if (view == kViewVsfCounts)
            DecodeVsfCounts(ctx, p);
        else if (view == kViewVsfBeta)
            DecodeVsfBeta(ctx, p);
    } else if (IsDflFamily(type)) {
        if (p.count != kDflFields) return;
        if (view == kViewDflChlorophyll || view == kViewDflCounts)
            DecodeDfl(ctx, p, view == kViewDflChlorophyll);
    } else if (type == kTria) {
        DecodeTria(ctx, p);
    }
}

// Following packets stay undecoded until the operator picks a view again.
void AbandonPacket(Context& ctx, const std::string& description) {
    ShowError(ctx, description);
    StopGraphing(ctx);
    ctx.state.GraphView = 0;
}

}  // namespace

double RoundBeta(double beta) { return std::floor((beta + 0.0000005) * 1000000) / 1000000; }

TriaLayout ReadTriaHeader(const std::string& header) {
    // Header characters by 1-based position; a missing one matches nothing.
    auto at = [&header](size_t position) {
        return position <= header.size() ? header[position - 1] : '\0';
    };
    TriaLayout layout;
    float next = 3;
    for (size_t position = 11; position <= 13; ++position) {
        switch (at(position)) {
            case 'B':
                layout.blueColumn = next - 1;
                next += 4;
                break;
            case 'G':
                layout.greenColumn = next - 1;
                next += 4;
                break;
            case 'R':
                layout.redColumn = next - 1;
                next += 4;
                break;
            case 'F':
                layout.fluorColumn = next - 1;
                next += 1;
                break;
            default: break;
        }
    }
    layout.sensorColumnEnd = next;
    const char pressure = at(15);
    if (pressure == 'A' || pressure == 'D' || pressure == 'P' || pressure == 'S' ||
        pressure == 'V') {
        next += 1;
        layout.pressure = true;
    }
    if (at(16) != 'N') {
        next += 1;
        layout.aux1 = true;
    }
    if (at(17) != 'N') {
        next += 1;
        layout.aux2 = true;
    }
    layout.fieldCount = next;
    return layout;
}

void ProcessPacket(Context& ctx) {
    try {
        Decode(ctx);
    } catch (const std::exception& e) {
        AbandonPacket(ctx, e.what());
    }
}

}  // namespace zan
