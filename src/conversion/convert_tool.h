#pragma once
#include <ostream>

#include "conversion/tria_conversion.h"

namespace zan {

// The conversion of "Process Data File" without a window, as zanhost-convert
// runs it: the summary goes to out, failures to err, with a progress bar for
// big data files when err is a terminal. Returns the exit status: 0
// converted, 1 a file could not be read or written.
int RunConvertTool(const ConversionFiles& files, std::ostream& out, std::ostream& err,
                   bool errIsTerminal);

}  // namespace zan
