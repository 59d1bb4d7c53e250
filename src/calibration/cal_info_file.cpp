#include "calibration/cal_info_file.h"

#include <cmath>
#include <stdexcept>

#include "calibration/calibration_table.h"
#include "context/context.h"
#include "core/field_stream.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "core/short_date.h"
#include "core/user_file.h"
#include "core/user_file_writer.h"
#include "state/instruments.h"
#include "state/open_files.h"

namespace zan {
namespace {

// Title, date, the lone carriage return line (two empty fields) and the heading.
constexpr int kHeaderFields = 5;

// Whether the text starts with a number after blanks: a sign, a digit or a period followed by one.
bool HasLeadingNumber(const std::string& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

bool HasTable(float instrumentType) { return !CalInfoLayout(instrumentType).empty(); }

// A Cal Info file that ends before its last coefficient line: where, what the
// table took from it, and what to load instead.
std::string EndedEarlyText(const std::string& path, long long line, size_t read, float type) {
    const std::string model = type == kTria ? "TRIA" : "VSF";
    return path + " ends at line " + std::to_string(line) + ", before all " +
           std::to_string(CalInfoLayout(type).size()) + " coefficient lines of a " + model +
           " Cal Info file; the table took the first " + std::to_string(read) +
           ". Load a Cal Info file saved for the " + model + " to fill the rest.";
}

}  // namespace

std::string CalInfoText(const FlexGrid& table, float instrumentType, const std::string& path,
                        const std::string& date) {
    const auto& layout = CalInfoLayout(instrumentType);
    if (layout.empty()) return {};
    std::string text = "ZAN " + path + "\r\n";
    text += "Created on: " + date + "\r\n";
    text += "\r\r\n";
    text += "Angle\tScaling Factor\tOffset\r\n";
    for (const CalInfoLine& line : layout) {
        text += line.label;
        text += '\t' + table.Cell(line.scaling.row, line.scaling.col);
        text += '\t' + table.Cell(line.offset.row, line.offset.col) + "\r\n";
    }
    return text;
}

CalInfoPair SplitCalInfoField(const std::string& field) {
    const size_t labelEnd = field.find('\t');
    const std::string rest = labelEnd == std::string::npos ? field : field.substr(labelEnd + 1);
    const size_t tab = rest.find('\t');
    if (tab == std::string::npos) return {0, NumberValue(rest)};
    return {NumberValue(rest.substr(0, tab + 1)), NumberValue(rest.substr(tab + 1))};
}

bool CalInfoValues::EndedEarly() const {
    for (const CalInfoWarning& w : warnings)
        if (w.kind == CalInfoWarning::Kind::EndedEarly) return true;
    return false;
}

CalInfoValues ParseCalInfo(FieldStream& fields, float instrumentType) {
    CalInfoValues values;
    try {
        for (int i = 0; i < kHeaderFields; ++i) fields.ReadField();
        for (size_t i = 0; i < CalInfoLayout(instrumentType).size(); ++i) {
            const std::string field = fields.ReadField();
            const size_t label = field.find('\t');
            CalInfoPair pair = SplitCalInfoField(field);
            // A number too large for a cell (1e999) reads as 0, as a word does.
            const bool finite = std::isfinite(pair.scaling) && std::isfinite(pair.offset);
            for (double* value : {&pair.scaling, &pair.offset})
                if (!std::isfinite(*value)) *value = 0;
            if (!finite ||
                !HasLeadingNumber(label == std::string::npos ? field : field.substr(label + 1)))
                values.warnings.push_back({CalInfoWarning::Kind::NoNumber, fields.Line(),
                                           "no coefficients in \"" + EscapedText(field) + "\""});
            values.pairs.push_back(pair);
        }
    } catch (const FieldStreamError& e) {
        const long long line = fields.Line() + (fields.AtEnd() ? 1 : 0);
        values.warnings.push_back({CalInfoWarning::Kind::EndedEarly, line, e.what()});
    }
    return values;
}

namespace {

template <typename SetCell>
void ApplyPairs(const CalInfoValues& values, float instrumentType, SetCell&& set) {
    const auto& layout = CalInfoLayout(instrumentType);
    for (size_t i = 0; i < values.pairs.size() && i < layout.size(); ++i) {
        set(layout[i].scaling, GeneralText(values.pairs[i].scaling));
        set(layout[i].offset, GeneralText(values.pairs[i].offset));
    }
}

}  // namespace

void ApplyCalInfo(const CalInfoValues& values, FlexGrid& table, float instrumentType) {
    ApplyPairs(values, instrumentType, [&table](CellRef cell, const std::string& text) {
        table.SetCell(cell.row, cell.col, text);
    });
}

void ApplyCalInfo(const CalInfoValues& values, CalibrationCells& table, float instrumentType) {
    ApplyPairs(values, instrumentType, [&table](CellRef cell, std::string text) {
        table[static_cast<size_t>(cell.row)][static_cast<size_t>(cell.col)] = std::move(text);
    });
}

void Command30_Click(Context& ctx) {
    const FileDialogResult chosen = ShowCommonDialog(ctx, FileDialogKind::Open);
    const float type = ctx.state.InstrumentType;
    if (!HasTable(type)) return;
    const auto tell = [&ctx](const std::string& text) {
        ctx.platform.dialogs.MessageBox(text, "Error", MessageIcon::Information);
    };
    if (chosen.cancelled || chosen.path.empty())
        return tell(
            "No Cal Info file was chosen, so the calibration table is unchanged. Click "
            "\"Load Cal Info\" again and choose one to load it.");
    try {
        FieldStream fields(chosen.path, "Cal Info file");
        const CalInfoValues values = ParseCalInfo(fields, type);
        ApplyCalInfo(values, ctx.main.MSFlexGrid2, type);
        // The box tells where the file ended; a misplaced number reads as 0, as typed.
        for (const CalInfoWarning& w : values.warnings)
            if (w.kind == CalInfoWarning::Kind::EndedEarly)
                return tell(EndedEarlyText(chosen.path, w.line, values.pairs.size(), type));
        if (type == kTria) ctx.state.CalibrationReloadPending = 1;
    } catch (const std::exception& e) {
        tell(std::string(e.what()) + ". The calibration table is unchanged.");
    }
}

void Command31_Click(Context& ctx) {
    const FileDialogResult chosen = ShowCommonDialog(ctx, FileDialogKind::Save);
    const float type = ctx.state.InstrumentType;
    if (chosen.cancelled || chosen.path.empty() || !HasTable(type)) return;
    // A table that did not reach its file is reported, never lost silently.
    try {
        const std::string date =
            FormatShortDate(ctx.platform.clock.Now(), ctx.platform.clock.ShortDatePattern());
        WriteUserText(chosen.path, {"the Cal Info file", {}, {}, {}, 0, OpenFiles(ctx.state), {}},
                      CalInfoText(ctx.main.MSFlexGrid2, type, chosen.path, date));
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
}

}  // namespace zan
