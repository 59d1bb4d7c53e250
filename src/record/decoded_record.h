#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/number_text.h"
#include "record/tria_header.h"

namespace zan {

inline constexpr int kRecordPacketFields = 21;
// The output column the window shows (MSFlexGrid1 column 1), rows 0..10:
// VSF angles in rows 1..3, TRIA colours in rows 1..9 and its fluorometer in 10.
inline constexpr int kOutputRows = 11;
inline constexpr int kFluorOutputRow = 10;

// A completed packet: its field texts, each but the last still carrying the
// tab that ended it, and its separator count. The views last while the
// record is handed on.
struct PacketView {
    std::array<std::string_view, kRecordPacketFields> fields{};
    int count = 0;

    // Field k as stored; empty outside the packet's fields.
    std::string_view Field(int k) const {
        return k >= 0 && k < kRecordPacketFields ? fields[static_cast<size_t>(k)]
                                                 : std::string_view();
    }
    // Field k without the tab that ended it.
    std::string_view Text(int k) const {
        std::string_view field = Field(k);
        if (!field.empty() && field.back() == '\t') field.remove_suffix(1);
        return field;
    }
};

// A packet as a row of stored field texts holds it.
inline PacketView ViewOfRow(const std::array<std::string, kRecordPacketFields>& row, int count) {
    PacketView view;
    for (size_t k = 0; k < row.size(); ++k) view.fields[k] = row[k];
    view.count = count;
    return view;
}

// A fluorometer point of the time views: its time in days and its value.
struct TimePoint {
    double t = 0;
    double value = 0;
    bool chlorophyll = false;  // view 6; otherwise raw counts (view 7)
};

// What decoding made of one packet, handed to every consumer in turn: the
// window's grid and graphs, the statistics, the recording and raw log
// writers, and the tools. Consumers read the values and texts from here,
// never back from the window.
struct DecodedRecord {
    // The packet is the caller's: a record is made for every packet, and
    // handed on while its packet lasts, so the fields are not copied.
    explicit DecodedRecord(const PacketView& packet) : packet(packet) {}

    const PacketView& packet;
    float instrumentType = 0;
    float graphView = 0;
    // The instrument and view decoded this packet (its field count matched).
    bool decoded = false;
    // Decoding stopped here with this description; what it did before stands.
    std::optional<std::string> failure;
    // The failure is a calibration coefficient the table lacks, which the user can fill.
    bool missingCoefficient = false;
    // TRIA: the layout this packet's own header names (decoding itself keeps
    // the fluorometer column and the optional fields of earlier headers).
    std::optional<TriaLayout> tria;
    // The output column as decoding left it (the texts the window shows), the
    // rows this packet wrote, and whether it named the fluorometer row.
    const std::array<NumberText, kOutputRows>* output = nullptr;
    std::uint32_t changedRows = 0;
    bool fluorHeading = false;
    // The fluorometer box (Text47) as decoding left it, and whether this packet wrote it.
    const NumberText* fluorometerText = nullptr;
    bool fluorometerChanged = false;
    // The current plot set as decoding left it: four angle points (VSF) or
    // the newest time point in element 0 (DFL); plotted says this packet
    // filled it (and the TRIA colour arrays) and the graphs should draw it.
    const std::array<double, 4>* plotX = nullptr;
    const std::array<double, 4>* plotY = nullptr;
    bool plotted = false;
    std::optional<TimePoint> timePoint;

    std::string_view Output(int row) const {
        return output && row >= 0 && row < kOutputRows ? (*output)[static_cast<size_t>(row)].View()
                                                       : std::string_view();
    }
    bool RowChanged(int row) const { return (changedRows >> row) & 1u; }
};

}  // namespace zan
