#include "recording/stored_kind.h"

namespace zan {
namespace {

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

}  // namespace

StoredKind StoredKindOf(std::string_view first, std::string_view third) {
    if (StartsWith(first, "ZAN TRIA")) return StoredKind::TriaDevice;
    if (!StartsWith(first, "Created on ")) return StoredKind::Other;
    if (StartsWith(third, "Header\t")) return StoredKind::RawLog;
    if (StartsWith(third, "Time\t")) return StoredKind::Recording;
    return StoredKind::RawLogOrRecording;
}

}  // namespace zan
