#pragma once
#include <functional>
#include <istream>
#include <optional>
#include <string>

#include "conversion/device_file.h"
#include "conversion/file_problem.h"
#include "conversion/tria_records.h"

namespace zan {

struct ConversionProgress {
    unsigned long long bytesRead = 0;
    long long records = 0;
};
// Told after each block of the data file; returning false cancels.
using ConversionProgressCallback = std::function<bool(const ConversionProgress&)>;

struct ConversionOutcome {
    long long records = 0;  // converted lines written after the heading
    bool cancelled = false;
    std::optional<FileProblem> problem;

    // The problem, and where the lines converted before it are.
    std::string FailureMessage(const std::string& convertedFile) const;
};

// Writes the heading, then converts every record of the data stream. Stops at
// the first problem; the lines written before it stay written.
ConversionOutcome ConvertTriaData(std::istream& data, const std::string& dataName,
                                  const DeviceTable& device, LineSink& out,
                                  const ConversionProgressCallback& progress = {});

struct ConversionFiles {
    std::string device, data, converted;
};

// Converts the data file into the converted file, created from empty. A
// converted file that is the data or the device file is refused before
// anything is written.
ConversionOutcome ConvertTriaFile(const DeviceTable& device, const ConversionFiles& files,
                                  const ConversionProgressCallback& progress = {});

}  // namespace zan
