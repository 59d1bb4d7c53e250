#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calibration/cal_info_file.h"
#include "core/field_stream.h"
#include "core/short_date.h"

namespace zan {

// How to re-process a raw log: the instrument and graph view a live run
// would have had, and the coefficients it would have used.
struct ReplayOptions {
    float instrumentType = 0;
    float graphView = 0;
    // The Cal Info file's values for VSF, VSFS and TRIA.
    std::optional<CalInfoValues> calibration;
    // The DFL boxes' texts: the offset (Text10) and the scaling factor (Text16).
    std::string dflOffset = "0";
    std::string dflScaling = "1";
    std::string outputPath;
    bool append = false;
    // The tool's inputs, which the recording file must not be.
    FilesInUse inputs;
};

struct ReplayReport {
    long long linesRead = 0;     // data lines of the raw log, its "EOF" line included
    long long linesWritten = 0;  // lines of the recording file, header and "EOF" included
    // What went wrong, naming the file and, for the raw log, the line
    // ("raw.txt, line 12: ..."); the replay stops at the first.
    std::optional<std::string> failure;
    bool cancelled = false;
};

// Runs a raw log (its three header lines first) through the same packet walk,
// decoding and recording writer as a live run, without the one-line-a-tick
// pace, and writes the recording file that run would have written, stopped
// by the user at the raw log's "EOF" (or at its end). A TRIA heading names
// the head of the lines below it, as the window's does. The
// progress callback hears the bytes read now and then and cancels with false.
ReplayReport ReplayRawLog(FieldStream& raw, const ReplayOptions& options, const LocalDateTime& now,
                          const std::function<bool(std::uint64_t bytesRead)>& progress = {});

}  // namespace zan
