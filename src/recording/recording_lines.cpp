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

// A sensor's heading group in each file and the output rows holding its values.
struct SensorGroup {
    char letter;
    const char* recording;
    const char* rawLog;
    int firstRow;
    int rows;
};

const std::array<SensorGroup, 4> kSensorGroups{{
    {'B', "\tB100\tB125\tB150", "\tB100\tB125\tB150\tBref", 1, 3},
    {'G', "\tG100\tG125\tG150", "\tG100\tG125\tG150\tGref", 4, 3},
    {'R', "\tR100\tR125\tR150", "\tR100\tR125\tR150\tRref", 7, 3},
    {'F', "\tFluor.", "\tFluor.", kFluorOutputRow, 1},
}};

// Calls take(group, decoded) for each sensor slot of the head in packet
// order. A slot whose letter a later slot repeats is not decoded: decoding
// keeps the later one's values only.
template <typename Take>
void ForEachSensor(const TriaHeaderLetters& head, Take take) {
    for (std::size_t slot = 0; slot < 3; ++slot) {
        const char letter = head.Slot(slot);
        for (const SensorGroup& group : kSensorGroups) {
            if (group.letter != letter) continue;
            bool repeated = false;
            for (std::size_t later = slot + 1; later < 3; ++later)
                repeated = repeated || head.Slot(later) == letter;
            take(group, !repeated);
        }
    }
}

// The raw log names every field of the packet; the recording the values
// decoding keeps, in the same order.
std::string TriaHeading(const TriaHeaderLetters& head, KeptFile file) {
    const bool raw = file == KeptFile::RawLog;
    std::string line = raw ? "Header\tTime" : "Time";
    ForEachSensor(head, [&](const SensorGroup& group, bool decoded) {
        if (raw)
            line += group.rawLog;
        else if (decoded)
            line += group.recording;
    });
    line += "\tVin";
    const TriaLayout layout = TriaLayoutOf(head);
    if (layout.pressure) line += "\tAtmos.";
    if (layout.aux1) line += "\tAux 1";
    if (layout.aux2) line += "\tAux 2";
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

// Time, the values of each decoded sensor in the order the head's slots
// hold them, the input voltage and the optional analog fields present.
void TriaRecordedLine(const DecodedRecord& record, LinePieces& pieces) {
    const TriaLayout& tria = *record.tria;
    const PacketView& p = record.packet;
    TabbedLine line(pieces, p.Text(1));
    ForEachSensor(ReadTriaHeaderLetters(p.Field(0)), [&](const SensorGroup& group, bool decoded) {
        if (!decoded) return;
        for (int row = group.firstRow; row < group.firstRow + group.rows; ++row)
            line << record.Output(row);
    });
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
    if (type == kTria) return TriaHeading(s.TriaHeadLetters, file);
    return std::nullopt;
}

std::optional<std::string> HeadingBeforeLine(const ProgramState& s, KeptFile file,
                                             TriaHeadingMark& mark) {
    // A raw log is headed once: played back, a heading amid its lines would be a packet.
    if (!mark.tria ||
        (!mark.owed && (file == KeptFile::RawLog || mark.letters == s.TriaHeadLetters)))
        return std::nullopt;
    mark.letters = s.TriaHeadLetters;
    std::string heading = TriaHeading(s.TriaHeadLetters, file);
    if (!mark.owed && heading == mark.heading) return std::nullopt;
    mark.owed = false;
    mark.heading = heading;
    return heading;
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
        // The date and time keep the tabs that ended them.
        line.Add(p.Field(0));
        line.Add(p.Field(1));
        TabbedLine(line, record.Output(1)) << record.Output(2) << record.Output(3) << p.Text(5);
        return true;
    }
    if ((view == kViewDflChlorophyll || view == kViewDflCounts) && p.count == kDflRecordedFields) {
        line.Add(p.Field(0));
        line.Add(p.Field(1));
        if (record.fluorometerText) line.Add(record.fluorometerText->View());
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
