#include "record/tria_header.h"

namespace zan {

namespace {

constexpr std::size_t kFirstLetter = 10;  // character 11, counting from 1

}  // namespace

TriaHeaderLetters ReadTriaHeaderLetters(std::string_view header) {
    TriaHeaderLetters read;
    for (std::size_t i = 0; i < read.letters.size(); ++i)
        read.letters[i] = kFirstLetter + i < header.size() ? header[kFirstLetter + i] : '\0';
    read.complete = header.size() >= kFirstLetter + read.letters.size();
    return read;
}

TriaLayout ReadTriaHeader(std::string_view header) {
    return TriaLayoutOf(ReadTriaHeaderLetters(header));
}

TriaLayout TriaLayoutOf(const TriaHeaderLetters& read) {
    TriaLayout layout;
    float next = 3;
    for (std::size_t s = 0; s < 3; ++s) {
        const char slot = read.Slot(s);
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
    const char pressure = read.Pressure();
    if (pressure == 'A' || pressure == 'D' || pressure == 'P' || pressure == 'S' ||
        pressure == 'V') {
        next += 1;
        layout.pressure = true;
    }
    // A header cut short names no input it has no letter for.
    if (read.Aux1() != 'N' && read.Aux1() != '\0') {
        next += 1;
        layout.aux1 = true;
    }
    if (read.Aux2() != 'N' && read.Aux2() != '\0') {
        next += 1;
        layout.aux2 = true;
    }
    layout.fieldCount = next;
    return layout;
}

}  // namespace zan
