#pragma once
#include <ostream>

#include "conversion/tria_conversion.h"
#include "tool/command_line.h"

namespace zan {

// The conversion of "Process Data File" without a window, as zanhost-convert
// runs it: the summary goes to out, failures to err, with a progress bar for
// big data files when err is a terminal. Returns the exit status: 0
// converted, 1 a file could not be read or written, 128 + N stopped by signal
// N (the lines converted so far are in the converted file, synced).
int RunConvertTool(const ConversionFiles& files, std::ostream& out, std::ostream& err,
                   bool errIsTerminal, const tool::StopSignal& stopSignal = {});

}  // namespace zan
