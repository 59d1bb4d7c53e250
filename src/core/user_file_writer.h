#pragma once
#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

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

// A file the user keeps (a recording, a raw log, a capture, a converted file)
// could not be opened, or its first lines could not be written.
class UserFileError : public std::runtime_error {
  public:
    UserFileError(const std::string& text, std::string description)
        : std::runtime_error(text), description_(std::move(description)) {}
    // The system's words alone, for an owner that tells the failure its own way.
    const std::string& Description() const { return description_; }

  private:
    std::string description_;
};

// What stopped a user file: which file, the system's words, and how many
// lines reached it before.
struct UserFileFailure {
    std::string path;
    std::string description;
    long long linesWritten = 0;
    // "Could not write to PATH: DESCRIPTION. N lines were written."
    std::string Message() const;
};

// Writes a file the user keeps, one line at a time. Each line goes to the
// system as soon as it is written (no buffering across lines), so another
// program can follow the file while it grows and a crash of this program
// loses no completed line. When the file reaches the disk is the owner's
// choice (Sync); it always does on close. A pipe or a device that cannot be
// synced has all the same been handed every line. The first failure stops the
// writer: it closes the file, keeps the failure and ignores every later line,
// so its owner reports it once.
class UserFileWriter {
  public:
    enum class Mode { Create, Append };
    // Periodically: at least every kSyncInterval seconds of the given clock,
    // so a power cut loses at most those seconds. EveryLine: before WriteLine
    // returns. AtClose: only then.
    enum class Sync { Periodically, EveryLine, AtClose };
    static constexpr double kSyncInterval = 2.0;

    // Throws UserFileError ("Could not open PATH: DESCRIPTION") on failure.
    // A batch tool that no one follows may hand lines over in batches of
    // batchBytes; 0 hands each line over as it is written.
    UserFileWriter(std::string path, Mode mode, std::function<double()> seconds,
                   size_t batchBytes = 0);
    // A file synced at every line or only at close, needing no clock.
    UserFileWriter(std::string path, Mode mode, Sync sync);
    ~UserFileWriter();
    UserFileWriter(const UserFileWriter&) = delete;
    UserFileWriter& operator=(const UserFileWriter&) = delete;

    // Writes the text and CR LF. False when this line or an earlier one failed.
    bool WriteLine(std::string_view text);
    // The same for a line given as pieces written one after another.
    bool WriteLine(const LinePieces& line);
    // Syncs when kSyncInterval has passed since the last sync, for an owner
    // that ticks a timer, so lines reach the disk while no more arrive. False
    // when this or an earlier step failed.
    bool SyncIfDue();
    // Syncs and closes. False when this or an earlier step failed.
    bool Close();

    bool IsOpen() const { return fd_ >= 0; }
    const std::string& Path() const { return path_; }
    const std::optional<UserFileFailure>& Failure() const { return failure_; }
    long long LinesWritten() const { return linesWritten_; }

  private:
    bool Flush();
    bool SyncNow();
    bool Fail(const std::string& description);

    std::string path_;
    Sync sync_;
    std::function<double()> seconds_;
    size_t batchBytes_;
    double lastSync_ = 0;
    int fd_ = -1;
    bool unsynced_ = false;
    long long linesWritten_ = 0;
    std::string pending_;
    long long pendingLines_ = 0;
    std::optional<UserFileFailure> failure_;
};

}  // namespace zan
