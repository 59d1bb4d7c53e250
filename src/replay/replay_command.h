#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "tool/command_line.h"

namespace zan {

// zanhost-replay: the arguments after the program's name. Prints its summary
// to out and its errors to err (a progress bar too when err is a terminal and
// the raw log is big). Exit status: 0 done, 1 a file could not be read or
// written, 2 the command line was wrong, 128 + N stopped by signal N (the
// recording so far ended with "EOF"). --version shows the line given.
int RunReplayCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     bool errIsTerminal, const std::string& versionLine,
                     const tool::StopSignal& stopSignal = {});

}  // namespace zan
