#include "conversion/device_file.h"

#include <cmath>
#include <stdexcept>

#include "conversion/file_problem.h"
#include "core/number_value.h"

namespace zan {
namespace {

constexpr int kIgnoredFields = 3;

bool IsTriaTitle(std::string_view title) {
    return title.substr(0, 8) == "ZAN TRIA" || title.substr(0, 4) == "TRIA";
}

void NextOrTooShort(FieldStream& in, const std::string& what) {
    if (!in.Next()) throw FileProblemError({ProblemKind::TooShort, in.Name(), 0, 0, what});
}

}  // namespace

double FieldNumber(std::string_view text, const std::string& file, long long line, int field) {
    double value = 0;
    try {
        value = WholeTextNumber(text);
    } catch (const std::invalid_argument&) {
        throw FileProblemError(
            {ProblemKind::NotANumber, file, line, field, Quoted(text) + " is not a number"});
    }
    // "nan" and "inf" read as numbers but convert into nothing a user can use.
    if (!std::isfinite(value))
        throw FileProblemError(
            {ProblemKind::NotANumber, file, line, field, Quoted(text) + " is not a finite number"});
    return value;
}

DeviceTable ReadDeviceFile(FieldStream& in) try {
    NextOrTooShort(in, "is empty, so it is not a TRIA device file");
    if (!IsTriaTitle(in.Text()))
        throw FileProblemError({ProblemKind::WrongTitle, in.Name(), in.Line(), 0,
                                Quoted(in.Text()) +
                                    " is not the title of a TRIA device file, which begins "
                                    "with \"ZAN TRIA\" or \"TRIA\""});
    for (int i = 0; i < kIgnoredFields; ++i)
        NextOrTooShort(in, "ends before its coefficients, so it is not a TRIA device file");
    DeviceTable table;
    for (size_t channel = 0; channel < table.size(); ++channel) {
        NextOrTooShort(in, "ends after " + std::to_string(channel) + " of its " +
                               std::to_string(table.size()) + " coefficient lines");
        // label TAB scaling TAB offset; a missing tab leaves a number empty.
        const std::string_view text = in.Text();
        const size_t labelEnd = text.find('\t');
        const std::string_view rest =
            labelEnd == std::string_view::npos ? std::string_view() : text.substr(labelEnd + 1);
        const size_t scalingEnd = rest.find('\t');
        const std::string_view scaling = rest.substr(0, scalingEnd);
        const std::string_view offset =
            scalingEnd == std::string_view::npos ? std::string_view() : rest.substr(scalingEnd + 1);
        const int field = in.FirstField();
        table[channel].scaling = FieldNumber(scaling, in.Name(), in.Line(), field + 1);
        table[channel].offset = FieldNumber(offset, in.Name(), in.Line(), field + 2);
    }
    return table;
} catch (const FieldStreamError& e) {
    throw FileProblemError(ReadingProblem(e, in.Name()));
}

DeviceTable ReadDeviceFile(const std::string& path) {
    UserFileInput file = OpenForReading(path, kDeviceFileKind);
    FieldStream in(*file.stream, path, kConversionFieldRules, FieldStream::kBlockSize,
                   kDeviceFileKind);
    return ReadDeviceFile(in);
}

}  // namespace zan
