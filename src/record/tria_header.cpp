#include "record/tria_header.h"

#include <cstddef>

namespace zan {

TriaLayout ReadTriaHeader(std::string_view header) {
    // Header characters by 1-based position; a missing one matches nothing.
    auto at = [header](size_t position) {
        return position <= header.size() ? header[position - 1] : '\0';
    };
    TriaLayout layout;
    float next = 3;
    for (size_t position = 11; position <= 13; ++position) {
        const char slot = at(position);
        float* column = slot == 'B'   ? &layout.blueColumn
                        : slot == 'G' ? &layout.greenColumn
                        : slot == 'R' ? &layout.redColumn
                        : slot == 'F' ? &layout.fluorColumn
                                      : nullptr;
        if (!column) continue;
        *column = next - 1;
        next += slot == 'F' ? 1 : 4;
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

}  // namespace zan
