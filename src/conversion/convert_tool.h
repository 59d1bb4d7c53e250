#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace zan {

// zanhost-convert [--help] [--version] DEVICE DATA OUT: the conversion of
// "Process Data File" without a window. Messages go to err, with a progress
// bar for big data files when err is a terminal. Returns the exit status:
// 0 converted, 1 a file could not be read or written, 2 wrong usage.
// --version shows the given version.
int RunConvertTool(const std::vector<std::string>& args, const std::string& version,
                   std::ostream& out, std::ostream& err, bool errIsTerminal);

}  // namespace zan
