#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "core/short_date.h"
#include "core/user_file_writer.h"
#include "recording/recording_lines.h"
#include "service/event_log.h"

namespace zan {

struct ProgramState;

// One of the two files of an unattended run (the recording file or the raw
// log), written as the window writes it: headed when a path is first
// written in this run, a line at a time, "EOF" when finished. A write that
// fails (a full disk, a removed file) stops the file with one event; the
// lines that follow are held, in order, and written when a later try
// succeeds, so nothing is lost while the memory lasts.
class ServiceFile {
  public:
    // Lines held beyond this many are dropped, oldest first, with one event:
    // more than two days of a sensor's lines at one a second.
    static constexpr size_t kMostHeldLines = 200000;

    ServiceFile(KeptFile kind, EventLog& events, std::function<double()> seconds);

    // Writes the line to the file at path, opening and heading it first
    // when it is not the open one.
    void Write(const ProgramState& s, const std::string& path, const LocalDateTime& now,
               const LinePieces& line);
    // Writes "EOF" and closes the file; the next line opens it with a new header.
    void Finish(const ProgramState& s, const LocalDateTime& now);
    // Hands the lines to the disk when two seconds have passed, lines or not.
    void SyncIfDue();
    // Writes the held lines once the file can be written again.
    void Retry(const ProgramState& s, const LocalDateTime& now);
    size_t HeldLines() const { return held_.size(); }

  private:
    struct HeldLine {
        std::string path;
        std::string text;
        bool ends;  // the "EOF" line: the file closes after it
    };
    bool WriteNow(const ProgramState& s, const std::string& path, const LinePieces& line,
                  const LocalDateTime& now);
    bool Open(const ProgramState& s, const std::string& path, const LocalDateTime& now);
    void End();
    void Hold(HeldLine line);
    void Stopped(const std::string& message);

    KeptFile kind_;
    EventLog& events_;
    std::function<double()> seconds_;
    std::unique_ptr<UserFileWriter> writer_;
    // The path last written, which Finish ends.
    std::string currentPath_;
    // The path headed in this run and not yet ended: lines after a failure continue it.
    std::string headedPath_;
    std::deque<HeldLine> held_;
    bool stopped_ = false;
    long long dropped_ = 0;
};

}  // namespace zan
