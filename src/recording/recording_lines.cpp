#include "recording/recording_lines.h"

#include <array>
#include <string_view>

#include "controls/controls.h"
#include "decoding/process_packet.h"
#include "state/instruments.h"
#include "state/program_state.h"
#include "state/view_codes.h"

namespace zan {
namespace {

constexpr int kVsfRecordedFields = 6;
constexpr int kDflRecordedFields = 3;
constexpr float kSlotPositions[] = {2, 6, 10};
constexpr float kLastSlotPosition = 10;

struct HeadingGroup {
    const float ProgramState::*column;
    const char* recording;
    const char* rawLog;
};

const std::array<HeadingGroup, 3> kColourGroups{{
    {&ProgramState::TriaBlueColumn, "\tB100\tB125\tB150", "\tB100\tB125\tB150\tBref"},
    {&ProgramState::TriaGreenColumn, "\tG100\tG125\tG150", "\tG100\tG125\tG150\tGref"},
    {&ProgramState::TriaRedColumn, "\tR100\tR125\tR150", "\tR100\tR125\tR150\tRref"},
}};

std::string TriaHeading(const ProgramState& s, KeptFile file) {
    std::string line = file == KeptFile::Recording ? "Time" : "Header\tTime";
    for (float position : kSlotPositions) {
        bool found = false;
        for (const HeadingGroup& group : kColourGroups) {
            if (s.*group.column != position) continue;
            line += file == KeptFile::Recording ? group.recording : group.rawLog;
            found = true;
            break;
        }
        if (!found && s.TriaFluorColumn == position)
            line += position == kLastSlotPosition ? "\tFluor." : "\tFluor.\tVolt";
    }
    line += "\tVin";
    if (s.TriaHasPressure == 1) line += "\tAtmos.";
    if (s.TriaHasAux1 == 1) line += "\tAux 1";
    if (s.TriaHasAux2 == 1) line += "\tAux 2";
    return line;
}

// The fields of the completed packet: f(k) as stored, t(k) without the tab that ended it.
struct PacketFields {
    const std::array<std::string, kPacketFields>& row;
    int count;

    const std::string& f(int k) const {
        static const std::string kEmpty;
        return k >= 0 && k < kPacketFields ? row[static_cast<size_t>(k)] : kEmpty;
    }
    std::string_view t(int k) const {
        std::string_view field = f(k);
        if (!field.empty() && field.back() == '\t') field.remove_suffix(1);
        return field;
    }
};

PacketFields CompletedPacket(const ProgramState& s) {
    const auto row = static_cast<size_t>(s.PacketRow);
    return {s.PacketTable[row], static_cast<int>(s.PacketColumnCount[row])};
}

std::string_view GridValue(const FlexGrid& output, int row) {
    return row < output.Rows() ? std::string_view(output.Cell(row, 1)) : std::string_view();
}

// Fields separated by tabs, added to a line.
class TabbedLine {
  public:
    TabbedLine(LinePieces& line, std::string_view first) : line_(line) { line_.Add(first); }
    TabbedLine& operator<<(std::string_view field) {
        line_.Add("\t");
        line_.Add(field);
        return *this;
    }

  private:
    LinePieces& line_;
};

// Time, the output grid's rows in the order the head's slots fill them, the
// input voltage and the optional analog fields present.
void TriaRecordedLine(const ProgramState& s, const PacketFields& p, const FlexGrid& output,
                      LinePieces& pieces) {
    TabbedLine line(pieces, p.t(1));
    int row = 0;
    auto next = [&](int rows) {
        for (int i = 0; i < rows; ++i) line << GridValue(output, ++row);
    };
    next(3);
    if (s.TriaFluorColumn == 2) next(1);
    next(3);
    if (s.TriaFluorColumn == 6) next(1);
    if (s.TriaFluorColumn != kLastSlotPosition) {
        next(3);
    } else {
        row += 4;
        line << GridValue(output, row);
    }
    int field = static_cast<int>(s.TriaSensorColumnEnd);
    line << p.t(field - 1);
    for (float present : {s.TriaHasPressure, s.TriaHasAux1, s.TriaHasAux2})
        if (present == 1) line << p.t(field++);
}

}  // namespace

std::string CreatedOnLine(const LocalDateTime& now) {
    return "Created on " + FormatShortDate(now, "MM-dd-yyyy");
}

std::string LocationLine(const std::string& path) { return "Location : " + path; }

std::optional<std::string> HeadingLine(const ProgramState& s, KeptFile file) {
    const float type = s.InstrumentType;
    const bool raw = file == KeptFile::RawLog;
    if (type == kVsf || (raw && type == kVsfs)) return "Date\tTime\t100\t125\t150\tRef";
    if (type == kDfl || (raw && type == kDfls)) return "Date\tTime\tOutput";
    if (type == kTria) return TriaHeading(s, file);
    return std::nullopt;
}

// Each view records only the packets it decodes, so a line that is not a
// measurement (the raw log's own "EOF" during playback, a garbled line) never
// puts stale values into the file.
bool RecordedLine(const ProgramState& s, const FlexGrid& output, const std::string& fluorometerText,
                  LinePieces& line) {
    const PacketFields p = CompletedPacket(s);
    const float view = s.GraphView;
    if ((view == kViewVsfBeta || view == kViewVsfCounts) && p.count == kVsfRecordedFields) {
        TabbedLine(line, p.t(0)) << p.t(1) << GridValue(output, 1) << GridValue(output, 2)
                                 << GridValue(output, 3) << p.t(5);
        return true;
    }
    if ((view == kViewDflChlorophyll || view == kViewDflCounts) && p.count == kDflRecordedFields) {
        line.Add(p.f(0));
        line.Add(p.f(1));
        line.Add(fluorometerText);
        return true;
    }
    if ((view == kViewTriaCounts || view == kViewTriaBeta) &&
        p.count == ReadTriaHeader(p.f(0)).fieldCount) {
        TriaRecordedLine(s, p, output, line);
        return true;
    }
    return false;
}

LinePieces RawLogLine(const ProgramState& s) {
    const PacketFields p = CompletedPacket(s);
    LinePieces line;
    for (int k = 0; k <= p.count && k < kPacketFields; ++k) line.Add(p.f(k));
    return line;
}

}  // namespace zan
