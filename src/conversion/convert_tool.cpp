#include "conversion/convert_tool.h"

#include <filesystem>

namespace zan {
namespace {

constexpr const char* kProgram = "zanhost-convert";

}  // namespace

int RunConvertTool(const ConversionFiles& files, std::ostream& out, std::ostream& err,
                   bool errIsTerminal, const tool::StopSignal& stopSignal) {
    ConversionOutcome outcome;
    try {
        const DeviceTable table = ReadDeviceFile(files.device);
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(files.data, ec);
        tool::Progress progress(err, errIsTerminal && !ec, ec ? 0 : size);
        outcome = ConvertTriaFile(table, files, [&](const ConversionProgress& p) {
            progress.Show(p.bytesRead);
            return tool::StopRequested(stopSignal) == 0;
        });
        progress.Finish();
    } catch (const FileProblemError& e) {
        return tool::Failure(kProgram, e.what(), err);
    }
    if (outcome.problem)
        return tool::Failure(kProgram, outcome.FailureMessage(files.converted), err);
    const std::string summary = std::to_string(outcome.records) + " records of " + files.data +
                                " converted into " + files.converted;
    return tool::Finished(kProgram, summary, stopSignal, out, err);
}

}  // namespace zan
