#pragma once
#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/user_file.h"

namespace zan {

// A line as the pieces it is written from, pointing into texts the caller
// keeps (a packet's fields, grid cells) until it is written: it is copied
// once, into the file's buffer, and never built as a string of its own.
class LinePieces {
  public:
    // Enough for a packet's fields and for a TRIA line's values and tabs.
    static constexpr size_t kMostPieces = 32;

    void Add(std::string_view piece) {
        if (count_ == kMostPieces) throw std::logic_error("Too many pieces in a line");
        pieces_[count_++] = {piece.data(), piece.size()};
    }
    size_t Count() const { return count_; }
    std::string_view operator[](size_t i) const { return {pieces_[i].data, pieces_[i].size}; }

  private:
    // Left unset until added, as a line is made for every packet.
    struct Piece {
        const char* data;
        size_t size;
    };
    std::array<Piece, kMostPieces> pieces_;
    size_t count_ = 0;
};

// What stopped a user file: which file, the system's words, and how many
// complete lines are in it (or, when the file went away, were written to it).
struct UserFileFailure {
    std::string path;
    std::string description;
    long long linesInFile = 0;
    // The file was removed, moved or replaced, so its lines are not at the path.
    bool fileGone = false;
    // "Could not write to PATH: DESCRIPTION. N lines are in the file."
    std::string Message() const;
};

// Writes a file the user keeps (a recording, a raw log, a capture, a
// converted file, a Cal Info file), one line at a time. Each line goes to the
// system as soon as it is written (no buffering across lines), so another
// program can follow the file while it grows and a crash of this program
// loses no completed line. Only whole lines reach the file: a write cut short
// (a full disk) is cut back to the last complete line. When the file reaches
// the disk is the owner's choice (Sync); it always does on close. A pipe or a
// device that cannot be synced has all the same been handed every line. At
// each sync the file is checked: removed, shortened or replaced by another
// program stops the writer. The first failure stops it: it closes the file,
// keeps the failure and ignores every later line, so its owner reports it once.
class UserFileWriter {
  public:
    enum class Mode { Create, Append };
    // Periodically: at least every kSyncInterval seconds of the given clock
    // (at a line or at SyncIfDue), so a power cut loses at most those seconds.
    // EveryLine: before WriteLine returns. AtClose: only then.
    enum class Sync { Periodically, EveryLine, AtClose };
    static constexpr double kSyncInterval = 2.0;
    // How bytes reach the file: the system's write unless a test stands in for a full disk.
    using WriteFunction = std::function<long(int fd, const char* data, size_t size)>;

    struct Options {
        // What the file is for, as refusals name it: "the recording file".
        std::string use = {};
        Mode mode = Mode::Create;
        Sync sync = Sync::AtClose;
        // The clock of Sync::Periodically.
        std::function<double()> seconds = {};
        // A batch tool that no one follows may hand lines over in batches of
        // batchBytes; 0 hands each line over as it is written.
        size_t batchBytes = 0;
        // The program's or tool's other open files: the file must be none of them.
        FilesInUse inUse = {};
        WriteFunction write = {};
    };

    // Opens the file (appending never shortens it; creating empties it only
    // once it is known to be none of the files in use). Throws UserFileError
    // ("Could not open PATH: DESCRIPTION") on failure or refusal.
    UserFileWriter(std::string path, Options options);
    ~UserFileWriter();
    UserFileWriter(const UserFileWriter&) = delete;
    UserFileWriter& operator=(const UserFileWriter&) = delete;

    // Writes the text and CR LF. False when this line or an earlier one failed.
    bool WriteLine(std::string_view text);
    // The same for a line given as pieces written one after another.
    bool WriteLine(const LinePieces& line);
    // Syncs when kSyncInterval has passed since the last sync, for an owner
    // that ticks a timer, so lines reach the disk while no more arrive (only
    // Periodically: the other modes sync at each line or at close). False
    // when this or an earlier step failed.
    bool SyncIfDue();
    // Syncs and closes. False when this or an earlier step failed.
    bool Close();

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }
    const FileIdentity& Identity() const { return identity_; }
    const std::optional<UserFileFailure>& Failure() const { return failure_; }
    // The complete lines this writer put into the file.
    long long LinesWritten() const { return linesInFile_; }

  private:
    void Open(Mode mode, const FilesInUse& inUse, const std::string& use);
    bool Flush();
    bool CutBack(size_t reached, const std::string& description);
    bool SyncNow();
    bool CheckFile();
    long long CountLinesInFile() const;
    bool Fail(const std::string& description, bool gone = false);

    std::string path_;
    Sync sync_;
    std::function<double()> seconds_;
    size_t batchBytes_;
    WriteFunction write_;
    double lastSync_ = 0;
    int fd_ = -1;
    bool regular_ = false;
    FileIdentity identity_;
    // The file's size as this writer left it.
    long long size_ = 0;
    bool unsynced_ = false;
    long long linesInFile_ = 0;
    // The lines not yet handed to the system: the first pendingSize_ bytes of
    // pending_, which only grows, so a line is copied in without first being
    // filled with zeros.
    std::vector<char> pending_;
    size_t pendingSize_ = 0;
    long long pendingLines_ = 0;
    std::optional<UserFileFailure> failure_;
};

// Writes a small file whole (a Cal Info file, a settings file) from text
// whose lines end with CR LF, and closes it. Throws UserFileError telling why
// it could not, the complete lines in the file included.
void WriteUserText(const std::string& path, UserFileWriter::Options options, std::string_view text);

}  // namespace zan
