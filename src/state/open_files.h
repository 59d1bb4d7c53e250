#pragma once
#include "core/user_file.h"

namespace zan {

struct ProgramState;

// What each of the program's open files is for, as refusals name it.
inline constexpr const char* kRecordingUse = "the recording file";
inline constexpr const char* kRawLogUse = "the raw log";
inline constexpr const char* kPlaybackUse = "the raw log being played back";
inline constexpr const char* kCaptureUse = "the capture file";

// The files the program has open now (recording, raw log, playback, capture),
// which no file it opens for writing may be.
FilesInUse OpenFiles(const ProgramState& s);

}  // namespace zan
