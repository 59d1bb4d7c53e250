#pragma once

namespace zan {

struct Context;
struct DecodedRecord;

// Adds the record's four channel values to the rings and shows the averages
// in MSFlexGrid3. Runs per packet while averaging is on.
void AccumulateStatistics(Context& ctx, const DecodedRecord& record);

void Command23_Click(Context& ctx);  // Start Ave && Stdev
void Command26_Click(Context& ctx);  // Clear
// Keeps the population typed into Text12 between 1 and the ring's 2000.
void Text12_Change(Context& ctx);

// Row 0 of MSFlexGrid3, written by the main window's load.
void WriteStatisticsHeadings(Context& ctx);

}  // namespace zan
