#include "state/open_files.h"

#include "state/program_state.h"

namespace zan {

FilesInUse OpenFiles(const ProgramState& s) {
    FilesInUse files;
    const std::pair<const UserFileWriter*, const char*> writers[] = {
        {s.RecordingFile.get(), kRecordingUse},
        {s.RawLogFile.get(), kRawLogUse},
        {s.CaptureFile.get(), kCaptureUse}};
    for (const auto& [writer, use] : writers)
        if (writer && writer->IsOpen()) files.push_back({writer->Identity(), use});
    if (s.PlaybackFile) files.push_back({s.PlaybackFile->Identity(), kPlaybackUse});
    return files;
}

}  // namespace zan
