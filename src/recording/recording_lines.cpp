#include "recording/recording_lines.h"

#include <array>
#include <string_view>

#include "record/decoded_record.h"
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
void TriaRecordedLine(const DecodedRecord& record, LinePieces& pieces) {
    const TriaLayout& tria = *record.tria;
    const PacketView& p = record.packet;
    TabbedLine line(pieces, p.Text(1));
    int row = 0;
    auto next = [&](int rows) {
        for (int i = 0; i < rows; ++i) line << record.Output(++row);
    };
    next(3);
    if (tria.fluorColumn == 2) next(1);
    next(3);
    if (tria.fluorColumn == 6) next(1);
    if (tria.fluorColumn != kLastSlotPosition) {
        next(3);
    } else {
        row += 4;
        line << record.Output(row);
    }
    int field = static_cast<int>(tria.sensorColumnEnd);
    line << p.Text(field - 1);
    for (bool present : {tria.pressure, tria.aux1, tria.aux2})
        if (present) line << p.Text(field++);
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
// A packet that failed to decode leaves the view deselected and records nothing.
bool RecordedLine(const DecodedRecord& record, LinePieces& line) {
    const PacketView& p = record.packet;
    const float view = record.graphView;
    if (record.failure) return false;
    if ((view == kViewVsfBeta || view == kViewVsfCounts) && p.count == kVsfRecordedFields) {
        TabbedLine(line, p.Text(0))
            << p.Text(1) << record.Output(1) << record.Output(2) << record.Output(3) << p.Text(5);
        return true;
    }
    if ((view == kViewDflChlorophyll || view == kViewDflCounts) && p.count == kDflRecordedFields) {
        line.Add(p.Field(0));
        line.Add(p.Field(1));
        if (record.fluorometerText) line.Add(*record.fluorometerText);
        return true;
    }
    if (record.tria && (view == kViewTriaCounts || view == kViewTriaBeta) &&
        p.count == record.tria->fieldCount) {
        TriaRecordedLine(record, line);
        return true;
    }
    return false;
}

LinePieces RawLogLine(const PacketView& p) {
    LinePieces line;
    for (int k = 0; k <= p.count && k < kRecordPacketFields; ++k) line.Add(p.Field(k));
    return line;
}

}  // namespace zan
