#pragma once
#include <optional>
#include <string>

#include "core/short_date.h"
#include "core/user_file_writer.h"

namespace zan {

struct ProgramState;
struct TriaHeadingMark;
struct DecodedRecord;
struct PacketView;

// A raw log begins with its two header lines and its heading, three fields
// to a reader, before its data lines.
inline constexpr int kRawLogHeaderFields = 3;

// The two files that keep packets: the recording file (the processed values)
// and the raw log (the lines as received).
enum class KeptFile { Recording, RawLog };

// Header lines 1 and 2 of both files, each ended by CR LF in the file:
// "Created on MM-dd-yyyy" and "Location : " with the file's full path.
std::string CreatedOnLine(const LocalDateTime& now);
std::string LocationLine(const std::string& path);

// The column heading line for the instrument, or none (the recording file of
// a VSFS, a DFLS or no instrument; the raw log of no instrument). The TRIA
// heading names the fields of the last TRIA packet's head, in packet order.
std::optional<std::string> HeadingLine(const ProgramState& s, KeptFile file);

// The heading a file writes before the line it now takes, if any: a TRIA
// file's owed heading, or in the recording a changed head's (noted in mark).
std::optional<std::string> HeadingBeforeLine(const ProgramState& s, KeptFile file,
                                             TriaHeadingMark& mark);

// The recording file's line for a decoded packet in its view, from its
// fields and the texts decoding left for the output grid (MSFlexGrid1) and
// the fluorometer box (Text47); false, and no line, for a packet the view
// does not decode.
bool RecordedLine(const DecodedRecord& record, LinePieces& line);

// The raw log's line for a packet: its fields as received.
LinePieces RawLogLine(const PacketView& packet);

}  // namespace zan
