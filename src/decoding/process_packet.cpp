#include "decoding/process_packet.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "calibration/calibration_table.h"
#include "calibration/coefficient_number.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "state/instruments.h"
#include "state/program_state.h"
#include "state/view_codes.h"

namespace zan {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr int kVsfFields = 6;
constexpr int kDflFields = 3;
// One unit of the fluorometer's time count in days.
constexpr double kDflTimeUnitDays = 1.54319 / 100000;

[[noreturn]] void OutOfRange() { throw std::out_of_range("Subscript out of range"); }

// One packet's decoding: the packet, the state decoding keeps, and the record it fills.
struct Decoding {
    ProgramState& s;
    const PacketView& p;
    DecodedRecord& record;

    double Value(int k) const {
        if (k < 0 || k >= kPacketFields) OutOfRange();
        return NumberValue(p.Field(k));
    }
    double Value(float k) const { return Value(static_cast<int>(k)); }
    // The output text of a row, to be written by this packet.
    NumberText& Output(int row) const {
        record.changedRows |= 1u << row;
        return s.OutputTexts[static_cast<size_t>(row)];
    }
    NumberText& Fluorometer() const {
        record.fluorometerChanged = true;
        return s.FluorometerText;
    }
};

double CellNumber(const ProgramState& s, CellRef cell) {
    return CoefficientNumber(
        s.CalibrationTable[static_cast<size_t>(cell.row)][static_cast<size_t>(cell.col)], kTria,
        cell);
}

void DecodeVsfCounts(const Decoding& d) {
    ProgramState& s = d.s;
    s.PlotX = {100, 125, 150, 180};
    s.PlotY = {d.Value(2), d.Value(3), d.Value(4), 0};
    for (int i = 0; i < 3; ++i) SetGeneralText(d.Output(i + 1), s.PlotY[static_cast<size_t>(i)]);
}

// A VSF coefficient (0..2 offsets, 3..5 scalings), read from the table again
// only after one of its cells changed.
double VsfCoefficient(ProgramState& s, size_t k) {
    ParsedCell& cache = s.VsfCoefficients[k];
    if (s.VsfCoefficientsCurrent) return cache.value;
    const int angle = static_cast<int>(k % 3) + 1;
    const CellRef cell = k < 3 ? VsfOffsetCell(angle) : VsfScalingCell(angle);
    return CoefficientNumber(
        cache, s.CalibrationTable[static_cast<size_t>(cell.row)][static_cast<size_t>(cell.col)],
        s.InstrumentType, cell);
}

// The text of the rounded beta, straight from its whole millionths while they are few enough.
void SetBetaText(NumberText& text, double beta) {
    const double millionths = std::floor((beta + 0.0000005) * 1000000);
    if (std::fabs(millionths) < 1e15)
        SetMillionthsText(text, static_cast<std::int64_t>(millionths));
    else
        SetGeneralText(text, RoundBeta(beta));
}

void DecodeVsfBeta(const Decoding& d) {
    ProgramState& s = d.s;
    s.PlotX = {1.74532925199433, 2.18166156499291, 2.61799387799149, 3.14159265358979};
    std::array<double, 3> beta{};
    for (size_t i = 0; i < 3; ++i) {
        const double counts = d.Value(static_cast<int>(i) + 2);
        const double off = VsfCoefficient(s, i);
        beta[i] = (counts - off) * VsfCoefficient(s, i + 3);
        s.PlotY[i] = beta[i];
    }
    s.VsfCoefficientsCurrent = true;
    s.PlotY[3] = 0;
    for (size_t i = 0; i < 3; ++i) SetBetaText(d.Output(static_cast<int>(i) + 1), beta[i]);
    // The graph shows beta weighted by 2 pi sin(angle); the grid keeps beta.
    s.PlotY[0] = beta[0] * 2 * kPi * 0.984807753012208;
    s.PlotY[1] = beta[1] * 2 * kPi * 0.819152044288992;
    s.PlotY[2] = beta[2] * 2 * kPi * 0.5;
}

// Both fluorometer views: the newest point of the time history, in
// chlorophyll through the two calibration boxes or in raw counts.
void DecodeDfl(const Decoding& d, bool chlorophyll) {
    ProgramState& s = d.s;
    const double t = d.Value(1) * kDflTimeUnitDays;
    const double counts = d.Value(2);
    if (chlorophyll) {
        SetGeneralText(d.Fluorometer(),
                       (counts - NumberValue(s.DflOffsetText)) * NumberValue(s.DflScalingText));
        s.PlotY[0] = NumberValue(s.FluorometerText.View());
    } else {
        SetGeneralText(d.Fluorometer(), counts);
        s.PlotY[0] = counts;
    }
    s.PlotX[0] = t;
    d.record.timePoint = TimePoint{t, s.PlotY[0], chlorophyll};
}

void ApplyTriaLayout(ProgramState& s, const TriaLayout& layout) {
    s.TriaBlueColumn = layout.blueColumn;
    s.TriaGreenColumn = layout.greenColumn;
    s.TriaRedColumn = layout.redColumn;
    if (layout.fluorColumn != 0) s.TriaFluorColumn = layout.fluorColumn;
    s.TriaSensorColumnEnd = layout.sensorColumnEnd;
    if (layout.pressure) s.TriaHasPressure = 1;
    if (layout.aux1) s.TriaHasAux1 = 1;
    if (layout.aux2) s.TriaHasAux2 = 1;
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

void StoreTriaColour(const Decoding& d, const TriaColour& colour,
                     const std::array<float, 3>& values) {
    colour.angles = {100, 125, 150, 180};
    colour.values = {values[0], values[1], values[2], 0};
    for (int i = 0; i < 3; ++i)
        SetGeneralTextSingle(d.Output(colour.firstOutputRow + i), values[static_cast<size_t>(i)]);
}

void ShowTriaFluor(const Decoding& d, double value) {
    d.record.fluorHeading = true;
    SetGeneralText(d.Output(kFluorOutputRow), value);
}

void DecodeTriaCounts(const Decoding& d) {
    ProgramState& s = d.s;
    for (const TriaColour& colour : TriaColours(s)) {
        if (colour.column == 0) continue;
        const int c = static_cast<int>(colour.column);
        StoreTriaColour(d, colour,
                        {static_cast<float>(d.Value(c)), static_cast<float>(d.Value(c + 1)),
                         static_cast<float>(d.Value(c + 2))});
    }
    if (s.TriaFluorColumn != 0) ShowTriaFluor(d, d.Value(s.TriaFluorColumn));
}

// The copied coefficient of a table cell; a copy never filled counts as 0,
// while a copied empty cell is as much a missing coefficient as in the table.
double CopiedCoefficient(const ProgramState& s, CellRef cell) {
    const int rowIndex = cell.row <= 3 ? cell.row - 1 : cell.row - 2;
    const auto& text = s.TriaCoefficients[static_cast<size_t>(rowIndex * 3 + cell.col - 1)];
    return text ? CoefficientNumber(*text, kTria, cell) : 0;
}

// Copying once per Cal Info load spares eighteen table reads per packet.
void CopyTriaCoefficients(ProgramState& s) {
    size_t k = 0;
    for (size_t row : {1, 2, 3, 5, 6, 7})
        for (size_t col = 1; col <= 3; ++col)
            s.TriaCoefficients[k++] = s.CalibrationTable[row][col];
    s.CalibrationReloadPending = 0;
}

void DecodeTriaBeta(const Decoding& d) {
    ProgramState& s = d.s;
    if (s.CalibrationReloadPending == 1) CopyTriaCoefficients(s);
    for (const TriaColour& colour : TriaColours(s)) {
        if (colour.column == 0) continue;
        const int c = static_cast<int>(colour.column);
        std::array<float, 3> values{};
        for (int i = 1; i <= 3; ++i) {
            const double offset = CopiedCoefficient(s, TriaOffsetCell(i, colour.tableColumn));
            const double scaling = CopiedCoefficient(s, TriaScalingCell(i, colour.tableColumn));
            values[static_cast<size_t>(i - 1)] =
                static_cast<float>((d.Value(c + i - 1) - offset) * scaling);
        }
        StoreTriaColour(d, colour, values);
    }
    if (s.TriaFluorColumn != 0) {
        const double counts = d.Value(s.TriaFluorColumn);
        ShowTriaFluor(
            d, (counts - CellNumber(s, kFluorOffsetCell)) * CellNumber(s, kFluorScalingCell));
    }
}

bool IsTriaView(float view) { return view == kViewTriaCounts || view == kViewTriaBeta; }

void DecodeTria(const Decoding& d) {
    const TriaHeaderLetters head = ReadTriaHeaderLetters(d.p.Field(0));
    const TriaLayout layout = TriaLayoutOf(head);
    ApplyTriaLayout(d.s, layout);
    d.s.TriaHeadLetters = head;
    d.record.tria = layout;
    const float view = d.s.GraphView;
    if (!IsTriaView(view) || d.p.count != layout.fieldCount) return;
    d.record.decoded = true;
    if (view == kViewTriaCounts)
        DecodeTriaCounts(d);
    else
        DecodeTriaBeta(d);
}

void Decode(const Decoding& d) {
    const float type = d.s.InstrumentType;
    const float view = d.s.GraphView;
    const int count = d.p.count;
    if (IsVsfFamily(type)) {
        if (count != kVsfFields || (view != kViewVsfCounts && view != kViewVsfBeta)) return;
        d.record.decoded = true;
        if (view == kViewVsfCounts)
            DecodeVsfCounts(d);
        else
            DecodeVsfBeta(d);
    } else if (IsDflFamily(type)) {
        if (count != kDflFields || (view != kViewDflChlorophyll && view != kViewDflCounts)) return;
        d.record.decoded = true;
        DecodeDfl(d, view == kViewDflChlorophyll);
    } else if (type == kTria) {
        DecodeTria(d);
    }
}

}  // namespace

double RoundBeta(double beta) { return std::floor((beta + 0.0000005) * 1000000) / 1000000; }

DecodedRecord ProcessPacket(ProgramState& s, const PacketView& packet) {
    DecodedRecord record(packet);
    record.instrumentType = s.InstrumentType;
    record.graphView = s.GraphView;
    record.output = &s.OutputTexts;
    record.fluorometerText = &s.FluorometerText;
    record.plotX = &s.PlotX;
    record.plotY = &s.PlotY;
    try {
        Decode(Decoding{s, packet, record});
        record.plotted = record.decoded;
    } catch (const MissingCoefficient& e) {
        record.failure = e.what();
        record.missingCoefficient = true;
        s.GraphView = 0;
    } catch (const std::exception& e) {
        record.failure = e.what();
        s.GraphView = 0;
    }
    // A recording in a TRIA view follows the head's field count even while
    // another instrument is selected.
    if (!record.tria && IsTriaView(record.graphView))
        record.tria = ReadTriaHeader(record.packet.Field(0));
    return record;
}

}  // namespace zan
