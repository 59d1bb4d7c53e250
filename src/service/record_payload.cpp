#include "service/record_payload.h"

#include <vector>

#include "core/number_text.h"
#include "core/number_value.h"
#include "service/log_files.h"

namespace zan {
namespace {

std::vector<std::string> Columns(const std::string& text) {
    std::vector<std::string> columns(1);
    for (const char c : text) {
        if (c == '\t')
            columns.emplace_back();
        else
            columns.back() += c;
    }
    return columns;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
    return out + "\"";
}

// Reference columns are counts in every view; the rest follow the view.
std::string Unit(const LogConfig& config, const std::string& column) {
    if (config.viewName == "counts" || column.find("ref") != std::string::npos || column == "Ref")
        return "counts";
    if (config.viewName == "chlorophyll") return "ug/L";
    if (column == "Vin" || column == "Aux 1" || column == "Aux 2" || column == "Volt") return "V";
    if (column == "Atmos.") return "counts";
    if (column == "Fluor.") return "ug/L";
    return "1/(m sr)";
}

bool IsTimeColumn(const std::string& column) { return column == "Date" || column == "Time"; }

}  // namespace

std::string RecordPayload(const LogConfig& config, const LocalDateTime& utc,
                          const std::string& heading, const LinePieces& recordedLine) {
    std::string line;
    for (size_t i = 0; i < recordedLine.Count(); ++i) line += recordedLine[i];
    const std::vector<std::string> names = Columns(heading);
    const std::vector<std::string> values = Columns(line);
    std::string valueList, unitList;
    for (size_t i = 0; i < names.size() && i < values.size(); ++i) {
        if (IsTimeColumn(names[i])) continue;
        const char* comma = valueList.empty() ? "" : ",";
        valueList += comma + Quoted(names[i]) + ":" + GeneralText(NumberValue(values[i]));
        unitList += comma + Quoted(names[i]) + ":" + Quoted(Unit(config, names[i]));
    }
    return "{\"time\":" + Quoted(IsoTime(utc)) + ",\"sensor\":" + Quoted(config.name) +
           ",\"instrument\":" + Quoted(config.instrumentName) +
           ",\"view\":" + Quoted(config.viewName) + ",\"values\":{" + valueList + "},\"units\":{" +
           unitList + "}}";
}

}  // namespace zan
