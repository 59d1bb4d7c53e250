#include "statistics/running_averages.h"

#include <array>
#include <cmath>
#include <stdexcept>

#include "context/context.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "record/decoded_record.h"
#include "state/instruments.h"

namespace zan {
namespace {

constexpr int kRingSize = kStatisticsSlots - 1;

// The current plot set, whether or not this packet filled it.
std::array<float, kStatisticsChannels> ChannelValues(const DecodedRecord& record) {
    std::array<float, kStatisticsChannels> values{};
    for (size_t k = 0; k < values.size(); ++k) values[k] = static_cast<float>((*record.plotY)[k]);
    // A fluorometer's first channel is its raw counts, whatever the view decodes.
    if (IsDflFamily(record.instrumentType))
        values[0] = static_cast<float>(NumberValue(record.packet.Field(2)));
    return values;
}

enum class PopulationVerdict { Accept, ReplaceWithOne, Refuse };

// An empty box or a number of 0 or less becomes "1"; a text that is not a
// number, or more samples than the rings hold, is refused.
PopulationVerdict JudgePopulation(const std::string& text) {
    if (text.find_first_not_of(" \t") == std::string::npos)
        return PopulationVerdict::ReplaceWithOne;
    double value = 0;
    try {
        value = WholeTextNumber(text);
    } catch (const std::invalid_argument&) {
        return PopulationVerdict::Refuse;
    }
    if (!std::isfinite(value) || value > kRingSize) return PopulationVerdict::Refuse;
    // The population is kept in single precision: a tiny one would be 0 there.
    return static_cast<float>(value) <= 0 ? PopulationVerdict::ReplaceWithOne
                                          : PopulationVerdict::Accept;
}

// The mean of ring positions 1 to n (all of them, filled or not), rounded
// down toward minus infinity to a multiple of 0.001.
float RingAverage(const std::array<float, kStatisticsSlots>& ring, float population) {
    float sum = 0;
    for (int position = 1; position <= population; ++position)
        sum += ring[static_cast<size_t>(position)];
    return std::floor(sum / population * 1000.0f) / 1000.0f;
}

}  // namespace

void AccumulateStatistics(Context& ctx, const DecodedRecord& record) {
    ProgramState& s = ctx.state;
    MainForm& m = ctx.main;
    m.MSFlexGrid3.SetCurrent(1, 1);
    s.StatisticsPopulation = static_cast<float>(NumberValue(m.Text12.Text()));
    // Text12 keeps the population inside the rings; a larger one fails like
    // any out-of-range index would, before anything is stored.
    if (s.StatisticsPopulation > kRingSize) throw std::out_of_range("Subscript out of range");
    s.StatisticsIndex += 1;
    if (s.StatisticsIndex > s.StatisticsPopulation) s.StatisticsIndex = 1;
    const auto values = ChannelValues(record);
    const auto position = static_cast<size_t>(s.StatisticsIndex);
    for (size_t k = 0; k < values.size(); ++k) s.StatisticsSamples[k][position] = values[k];
    m.Label49.SetCaption(GeneralTextSingle(s.StatisticsIndex));
    for (size_t k = 0; k < values.size(); ++k)
        m.MSFlexGrid3.SetCell(
            1, static_cast<int>(k) + 1,
            GeneralTextSingle(RingAverage(s.StatisticsSamples[k], s.StatisticsPopulation)));
}

void Command23_Click(Context& ctx) {
    MainForm& m = ctx.main;
    const bool running = m.Command23.BackColour() == kLightRed;
    m.Command23.SetBackColour(running ? kLightGreen : kLightRed);
    ctx.state.StatisticsRunning = running ? 0.0f : 1.0f;
    m.Label50.SetCaption(running ? "/" : "|");
}

void Command26_Click(Context& ctx) {
    ProgramState& s = ctx.state;
    for (auto& ring : s.StatisticsSamples)
        for (int position = 1; position <= s.StatisticsPopulation; ++position)
            ring[static_cast<size_t>(position)] = 0;
    s.StatisticsIndex = 0;
}

void Text12_Change(Context& ctx) {
    TextBox& box = ctx.main.Text12;
    const std::string text = box.Text();
    switch (JudgePopulation(text)) {
        case PopulationVerdict::Accept: ctx.state.StatisticsPopulationText = text; return;
        case PopulationVerdict::ReplaceWithOne: box.SetText("1"); return;
        case PopulationVerdict::Refuse:
            box.SetText(ctx.state.StatisticsPopulationText);
            ctx.platform.dialogs.MessageBox("The population is a number of samples from 1 to " +
                                                std::to_string(kRingSize) + ": \"" + text +
                                                "\" is refused and the population stays " +
                                                ctx.state.StatisticsPopulationText + ".",
                                            "Population");
            return;
    }
}

void WriteStatisticsHeadings(Context& ctx) {
    FlexGrid& g = ctx.main.MSFlexGrid3;
    g.SetCell(0, 1, "100     ");
    g.SetCell(0, 2, "125     ");
    g.SetCell(0, 3, "150     ");
    g.SetCell(0, 4, "     Ref");
}

}  // namespace zan
