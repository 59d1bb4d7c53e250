#include "driver/state_fields.h"

#include <cstdio>
#include <functional>
#include <map>

#include "core/number_text.h"
#include "state/program_state.h"

namespace zan {
namespace {

// A value in the precision it is kept in, as the program would show it.
template <typename T>
std::string ValueText(T value) {
    if constexpr (std::is_same_v<T, float>)
        return GeneralTextSingle(value);
    else if constexpr (std::is_enum_v<T>)
        return GeneralText(static_cast<int>(value));
    else
        return GeneralText(static_cast<double>(value));
}

using Getter = std::function<std::string(const ProgramState&)>;

template <typename T>
Getter Number(T ProgramState::*member) {
    return [member](const ProgramState& s) { return ValueText(s.*member); };
}

const std::map<std::string, Getter>& Scalars() {
    static const std::map<std::string, Getter> fields = {
        {"InstrumentType", Number(&ProgramState::InstrumentType)},
        {"QuickSetupPort", Number(&ProgramState::QuickSetupPort)},
        {"TestMode", Number(&ProgramState::TestMode)},
        {"GraphView", Number(&ProgramState::GraphView)},
        {"PacketRow", Number(&ProgramState::PacketRow)},
        {"PacketColumn", Number(&ProgramState::PacketColumn)},
        {"PlaybackState", Number(&ProgramState::PlaybackState)},
        {"PlaybackDelay", Number(&ProgramState::PlaybackDelay)},
        {"Recording", Number(&ProgramState::Recording)},
        {"RawLogging", Number(&ProgramState::RawLogging)},
        {"StatisticsRunning", Number(&ProgramState::StatisticsRunning)},
        {"StatisticsPopulation", Number(&ProgramState::StatisticsPopulation)},
        {"StatisticsIndex", Number(&ProgramState::StatisticsIndex)},
        {"PacketsRecorded", Number(&ProgramState::PacketsRecorded)},
        {"CalibrationReloadPending", Number(&ProgramState::CalibrationReloadPending)},
        {"GraphingOn", Number(&ProgramState::GraphingOn)},
        {"TriaRedColumn", Number(&ProgramState::TriaRedColumn)},
        {"TriaGreenColumn", Number(&ProgramState::TriaGreenColumn)},
        {"TriaBlueColumn", Number(&ProgramState::TriaBlueColumn)},
        {"TriaFluorColumn", Number(&ProgramState::TriaFluorColumn)},
        {"TriaSensorColumnEnd", Number(&ProgramState::TriaSensorColumnEnd)},
        {"TriaHasPressure", Number(&ProgramState::TriaHasPressure)},
        {"TriaHasAux1", Number(&ProgramState::TriaHasAux1)},
        {"TriaHasAux2", Number(&ProgramState::TriaHasAux2)},
        {"EditCellRow", Number(&ProgramState::EditCellRow)},
        {"EditCellColumn", Number(&ProgramState::EditCellColumn)},
    };
    return fields;
}

// "Name(i)" or "Name(i,j)": the name and up to two indices.
bool SplitIndexed(const std::string& text, std::string& name, int& i, int& j) {
    const size_t open = text.find('(');
    if (open == std::string::npos || text.back() != ')') return false;
    name = text.substr(0, open);
    j = -1;
    const std::string inside = text.substr(open + 1, text.size() - open - 2);
    return std::sscanf(inside.c_str(), "%d,%d", &i, &j) >= 1;
}

template <typename Array>
std::optional<std::string> Element(const Array& values, int i) {
    if (i < 0 || i >= static_cast<int>(values.size())) return std::nullopt;
    return ValueText(values[static_cast<size_t>(i)]);
}

}  // namespace

std::optional<std::string> StateFieldText(const ProgramState& s, const std::string& text) {
    const auto& scalars = Scalars();
    if (auto it = scalars.find(text); it != scalars.end()) return it->second(s);
    std::string name;
    int i = 0, j = -1;
    if (!SplitIndexed(text, name, i, j)) return std::nullopt;
    if (name == "PacketTable") {
        if (i < 0 || i >= kPacketRows || j < 0 || j >= kPacketFields) return std::nullopt;
        return s.PacketTable[static_cast<size_t>(i)][static_cast<size_t>(j)];
    }
    if (name == "StatisticsSamples") {
        if (i < 0 || i >= kStatisticsChannels) return std::nullopt;
        return Element(s.StatisticsSamples[static_cast<size_t>(i)], j);
    }
    if (name == "PacketColumnCount") return Element(s.PacketColumnCount, i);
    if (name == "PlotX") return Element(s.PlotX, i);
    if (name == "PlotY") return Element(s.PlotY, i);
    if (name == "TimeHistoryX") return Element(s.TimeHistoryX, i);
    if (name == "TimeHistoryY") return Element(s.TimeHistoryY, i);
    if (name == "TriaRedValues") return Element(s.TriaRedValues, i);
    if (name == "TriaGreenValues") return Element(s.TriaGreenValues, i);
    if (name == "TriaBlueValues") return Element(s.TriaBlueValues, i);
    return std::nullopt;
}

}  // namespace zan
