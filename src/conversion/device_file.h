#pragma once
#include <array>
#include <string>
#include <string_view>

namespace zan {

class FieldStream;

inline constexpr const char* kDeviceFileKind = "TRIA device file";
inline constexpr const char* kDataFileKind = "TRIA data file";

// A scattering channel's coefficients: a count becomes (count - offset) x scaling.
struct ChannelCoefficients {
    double scaling = 0;
    double offset = 0;
};

// The nine channels of a TRIA device file in file order: blue, green and red,
// each at 100, 125 and 150 degrees.
using DeviceTable = std::array<ChannelCoefficients, 9>;

// The number a field of a stored file holds, blanks and tabs around it
// allowed. Throws FileProblemError (NotANumber) naming the file, line and field.
double FieldNumber(std::string_view text, const std::string& file, long long line, int field);

// Reads a device file: a title beginning with "ZAN TRIA" or "TRIA", three
// fields that are not looked at, then nine lines of label, tab, scaling
// factor, tab, offset (the line's position alone decides its channel).
// Throws FileProblemError: WrongTitle, TooShort, NotANumber, NotText.
DeviceTable ReadDeviceFile(FieldStream& in);
// The same from a file, CannotOpen included.
DeviceTable ReadDeviceFile(const std::string& path);

}  // namespace zan
