#pragma once
#include <functional>
#include <memory>
#include <string>

#include "core/user_file_writer.h"
#include "recording/recording_lines.h"

namespace zan {

struct Context;
struct DecodedRecord;
struct ProgramState;
struct TriaHeadingMark;

// Opens a recording file or raw log, none of the files in use, and writes
// its header lines and the heading for the instrument; given a mark, a
// TRIA's heading is owed to the file's first line instead (see
// TriaHeadingMark). Throws UserFileError telling why it could not.
// batchBytes as for UserFileWriter.
std::unique_ptr<UserFileWriter> OpenKeptFile(const ProgramState& s, KeptFile file,
                                             const std::string& path, bool append,
                                             const LocalDateTime& now,
                                             std::function<double()> seconds,
                                             const FilesInUse& inUse, size_t batchBytes = 0,
                                             TriaHeadingMark* mark = nullptr);
// A file opened with a mark: writes a packet's line after the heading the
// file owes it; false when the file failed.
bool WriteKeptLine(UserFileWriter& writer, const ProgramState& s, KeptFile file,
                   TriaHeadingMark& mark, const LinePieces& line);
// Syncs the recording file and the raw log when their interval has passed,
// whether lines arrived or not; a file that failed stops with its message.
void SyncKeptFiles(Context& ctx);
// Writes the heading a file that took no line still owes, the "EOF" line,
// and closes the file; false when any of it failed.
bool FinishKeptFile(UserFileWriter& writer, const ProgramState& s, KeptFile file,
                    TriaHeadingMark& mark);

// How often the status bar's line counts follow the open files: often enough
// to watch them grow, and not at every line a replay writes.
inline constexpr double kFileStatusInterval = 0.25;
// The status bar's account of the open recording file and raw log: name and lines.
void ShowFileStatus(Context& ctx);

// "Start Recording"/"Stop Recording" and "Start Logging Raw Data"/its stop.
void Command18_Click(Context& ctx);
void Command19_Click(Context& ctx);

// The per-packet writers the acquisition loop calls while recording and raw
// logging. A failed write stops the file with one message naming it, the
// system's words and the lines written.
void WriteRecordedLine(Context& ctx, const DecodedRecord& record);
void WriteRawLogLine(Context& ctx, const DecodedRecord& record);

}  // namespace zan
