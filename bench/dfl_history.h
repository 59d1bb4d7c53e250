#pragma once
#include <string>

#include "acquisition/acquisition_loop.h"
#include "graphs/plot_packet.h"
#include "virtual/virtual_program.h"

namespace zan::bench {

// A fluorometer on the raw-counts time graph whose history holds a point in
// every one of its slots (the decoding leaves one slot unused; here all are
// filled, the worst case).
inline void FillDflHistory(VirtualProgram& program) {
    program.ctx.main.inst4.Click();
    program.ctx.main.df3.Click();
    for (int k = 1; k <= kHistorySlots; ++k)
        WalkReceivedText(program.ctx,
                         "d\t" + std::to_string(k) + "\t" + std::to_string(600 + k % 50) + "\r\n");
    ProgramState& s = program.ctx.state;
    s.TimeHistoryX[kHistorySlots - 1] = s.TimeHistoryX[kHistorySlots - 2];
    s.TimeHistoryY[kHistorySlots - 1] = 600;
    s.TimeHistoryFilled.assign(kHistorySlots, 1);
    program.ctx.main.Command1.Click();
}

}  // namespace zan::bench
