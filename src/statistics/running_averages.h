#pragma once
#include <array>
#include <string>

#include "state/program_state.h"

namespace zan {

struct Context;

using StatisticsRing = std::array<float, kStatisticsSlots>;

// The mean of ring positions 1 to n (all of them, filled or not), rounded
// down toward minus infinity to a multiple of 0.001.
float RingAverage(const StatisticsRing& ring, float population);

// Adds the completed packet's four channel values to the rings and shows
// the averages in MSFlexGrid3. Runs per packet while averaging is on.
void AccumulateStatistics(Context& ctx);

void Command23_Click(Context& ctx);  // Start Ave && Stdev
void Command26_Click(Context& ctx);  // Clear
// Keeps the population typed into Text12 between 1 and the ring's 2000.
void Text12_Change(Context& ctx);

// Row 0 of MSFlexGrid3, written by the main window's load.
void WriteStatisticsHeadings(Context& ctx);

}  // namespace zan
