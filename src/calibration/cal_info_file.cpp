#include "calibration/cal_info_file.h"

#include <stdexcept>

#include "calibration/calibration_table.h"
#include "context/context.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "core/text_file.h"
#include "state/instruments.h"

namespace zan {
namespace {

// Title, date, the lone carriage return line (two empty fields) and the heading.
constexpr int kHeaderFields = 5;

std::string Padded(int value, size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

bool HasTable(float instrumentType) { return !CalInfoLayout(instrumentType).empty(); }

// The file dialog keeps the title, filter and extension that other commands
// set; the Cal Info commands only start it with an empty name.
FileDialogRequest CommonDialogRequest(Context& ctx) {
    auto& dialog = ctx.main.CommonDialog1;
    dialog.fileName.clear();
    return {dialog.title, dialog.filter, dialog.defaultExtension, dialog.fileName};
}

}  // namespace

std::string FormatShortDate(const LocalDateTime& date, const std::string& pattern) {
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        if (c == 'd')
            out += Padded(date.day, run >= 2 ? 2 : 1);
        else if (c == 'M')
            out += Padded(date.month, run >= 2 ? 2 : 1);
        else if (c == 'y')
            out += run <= 2 ? Padded(date.year % 100, 2) : Padded(date.year, 4);
        else
            out.append(run, c);
        i += run;
    }
    return out;
}

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

void ReadCalInfo(FieldReader& reader, FlexGrid& table, float instrumentType) {
    for (int i = 0; i < kHeaderFields; ++i) reader.ReadField();
    for (const CalInfoLine& line : CalInfoLayout(instrumentType)) {
        const CalInfoPair pair = SplitCalInfoField(reader.ReadField());
        table.SetCell(line.scaling.row, line.scaling.col, GeneralText(pair.scaling));
        table.SetCell(line.offset.row, line.offset.col, GeneralText(pair.offset));
    }
}

void Command30_Click(Context& ctx) {
    const FileDialogResult chosen = ctx.platform.dialogs.OpenFile(CommonDialogRequest(ctx));
    ctx.main.CommonDialog1.fileName = chosen.path;
    const float type = ctx.state.InstrumentType;
    if (!HasTable(type)) return;
    try {
        auto reader = OpenFieldReader(chosen.path);
        ReadCalInfo(*reader, ctx.main.MSFlexGrid2, type);
        if (type == kTria) ctx.state.CalibrationReloadPending = 1;
    } catch (const std::exception& e) {
        ctx.platform.dialogs.MessageBox(e.what(), "error", MessageIcon::Information);
    }
}

void Command31_Click(Context& ctx) {
    const FileDialogResult chosen = ctx.platform.dialogs.SaveFile(CommonDialogRequest(ctx));
    ctx.main.CommonDialog1.fileName = chosen.path;
    const float type = ctx.state.InstrumentType;
    if (chosen.cancelled || chosen.path.empty() || !HasTable(type)) return;
    // A table that did not reach its file is reported, never lost silently.
    try {
        const std::string date =
            FormatShortDate(ctx.platform.clock.Now(), ctx.platform.clock.ShortDatePattern());
        LineWriter file(chosen.path, LineWriter::Mode::Create);
        file.Write(CalInfoText(ctx.main.MSFlexGrid2, type, chosen.path, date));
        file.Close();
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
    }
}

}  // namespace zan
