#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/device_file.h"
#include "record/tria_header.h"

namespace zan {

// Where converted lines go, one line at a time without its line end. Throws
// FileProblemError (WriteFailed) when the line cannot be kept.
class LineSink {
  public:
    virtual ~LineSink() = default;
    virtual void WriteLine(std::string_view text) = 0;
};

// The converted file's heading; it names the first 15 of the 17 fields.
extern const std::string_view kConvertedHeading;

// Converts the records of a TRIA data file one field at a time. A record is a
// header whose characters 11 to 17 describe it, a time stamp, up to three
// slots of four counts (a slot is present when its letter is B, G or R), then
// the supply voltage ("V" at 14), the pressure and the two auxiliary inputs
// (present unless "N" at 15, 16, 17). A line without a tab keeps the last
// header; a record whose last field is followed by a tab is followed by
// another record on the same line. The header and the optional fields carry
// over from record to record; a colour that no slot of the record carries is
// written as empty fields.
class TriaRecordWalk {
  public:
    TriaRecordWalk(const DeviceTable& device, std::string fileName);

    // Converts one field of the data file (a line, or the part of one that a
    // comma split off): line and firstField say where it stands. Throws
    // FileProblemError (NotANumber) for a count that is not a number.
    void Convert(std::string_view text, long long line, int firstField, LineSink& out);
    long long Records() const { return records_; }

  private:
    struct Slot {
        std::array<std::string_view, 4> counts;
        // The first three counts' values where they were read as taken.
        std::array<std::optional<double>, 3> values;
        int firstField = 0;
    };
    // Writes a colour's three values and its reference count at `at`; the end.
    char* AppendColour(char* at, int colour, const Slot& slot, long long line) const;
    // Room for the line of a record whose fields lie in text.
    char* LineRoom(std::string_view text);

    const DeviceTable& device_;
    std::string fileName_;
    std::string header_;
    TriaHeaderLetters layout_;  // read from header_
    // Supply voltage, pressure, auxiliary inputs 1 and 2 as last read.
    std::array<std::string, 4> optional_;
    // The line being written, grown for a record that could need more and
    // never filled first.
    std::vector<char> line_;
    long long records_ = 0;
};

}  // namespace zan
