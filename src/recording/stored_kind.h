#pragma once
#include <string_view>

namespace zan {

// What a stored text file is, as its first three fields (its first lines)
// tell. The program begins its recording files and raw logs with "Created
// on" and "Location : " and a heading: a TRIA raw log's heading begins with
// "Header", a TRIA recording's with "Time"; a VSF or DFL raw log and its
// recording share one heading, and a VSFS or DFLS recording has none. A
// TRIA device file begins with its title.
enum class StoredKind {
    RawLog,
    Recording,
    RawLogOrRecording,
    TriaDevice,
    Other  // a TRIA data file, or a text the program did not write
};

StoredKind StoredKindOf(std::string_view first, std::string_view third);

}  // namespace zan
