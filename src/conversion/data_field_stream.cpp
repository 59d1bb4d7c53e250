#include "conversion/data_field_stream.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "conversion/file_problem.h"

namespace zan {
namespace {

// The bytes that end an unquoted field, and the zero byte that no text holds.
constexpr std::array<bool, 256> StopBytes() {
    std::array<bool, 256> stop{};
    stop[static_cast<unsigned char>(',')] = true;
    stop[static_cast<unsigned char>('\r')] = true;
    stop[static_cast<unsigned char>('\n')] = true;
    stop[0] = true;
    return stop;
}
constexpr std::array<bool, 256> kStop = StopBytes();

constexpr const char* kZeroByte = "holds a zero byte, so this is not a text file";

}  // namespace

DataFieldStream::DataFieldStream(std::istream& in, std::string name, size_t blockSize)
    : in_(in), name_(std::move(name)), block_(blockSize) {}

bool DataFieldStream::Available() {
    if (pos_ < end_) return true;
    pos_ = end_ = 0;
    if (!in_) return false;
    in_.read(block_.data(), static_cast<std::streamsize>(block_.size()));
    if (in_.bad())
        throw FileProblemError({ProblemKind::CannotOpen, name_, line_, 0, "could not be read"});
    end_ = static_cast<size_t>(in_.gcount());
    bytesRead_ += end_;
    return end_ > 0;
}

void DataFieldStream::Keep(size_t from, size_t to) {
    if (kept_.size() + (to - from) > kLongestField)
        NotText("is longer than " + std::to_string(kLongestField) +
                " characters, so this is not a text file");
    kept_.append(block_.data() + from, to - from);
}

void DataFieldStream::NotText(const std::string& what) {
    throw FileProblemError({ProblemKind::NotText, name_, line_, 0, what});
}

// A quoted field keeps everything up to its closing quote, line ends too.
void DataFieldStream::ReadQuoted() {
    char previous = '\0';
    while (Available()) {
        const char* begin = block_.data() + pos_;
        const char* close = static_cast<const char*>(std::memchr(begin, '"', end_ - pos_));
        const size_t stop = close ? static_cast<size_t>(close - block_.data()) : end_;
        for (size_t i = pos_; i < stop; ++i) {
            const char c = block_[i];
            if (c == '\0') NotText(kZeroByte);
            if (c == '\r' || (c == '\n' && previous != '\r')) ++line_;
            previous = c;
        }
        Keep(pos_, stop);
        pos_ = stop;
        if (close) {
            ++pos_;
            return;
        }
    }
}

bool DataFieldStream::Next() {
    if (!Available()) return false;
    if (skipLf_) {
        skipLf_ = false;
        if (block_[pos_] == '\n') {
            ++pos_;
            if (!Available()) return false;
        }
    }
    fieldLine_ = line_;
    firstField_ = nextFirstField_;
    kept_.clear();
    while (Available() && block_[pos_] == ' ') ++pos_;
    const bool quoted = Available() && block_[pos_] == '"';
    if (quoted) {
        ++pos_;
        ReadQuoted();
    }
    // Scan to the end of the field. An unquoted field that runs past its
    // block is kept piece by piece; after a quoted one's closing quote
    // everything up to the end of the field is dropped.
    bool spans = quoted;
    size_t start = pos_;
    while (true) {
        const char* p = block_.data() + pos_;
        const char* e = block_.data() + end_;
        while (p < e && !kStop[static_cast<unsigned char>(*p)]) ++p;
        pos_ = static_cast<size_t>(p - block_.data());
        if (pos_ < end_) break;
        if (!quoted) Keep(start, pos_);
        spans = true;
        start = 0;
        if (!Available()) break;
    }
    const bool atEnd = pos_ >= end_;
    if (spans && !quoted && !atEnd) Keep(start, pos_);
    text_ = spans ? std::string_view(kept_) : std::string_view(block_.data() + start, pos_ - start);
    if (atEnd) return true;
    const char stop = block_[pos_++];
    if (stop == '\0') NotText(kZeroByte);
    if (stop == ',') {
        nextFirstField_ =
            firstField_ + static_cast<int>(std::count(text_.begin(), text_.end(), '\t')) + 1;
        return true;
    }
    ++line_;
    skipLf_ = stop == '\r';
    nextFirstField_ = 1;
    return true;
}

std::ifstream OpenForReading(const std::string& path) {
    std::error_code ec;
    const auto type = std::filesystem::status(path, ec).type();
    const char* refusal =
        type == std::filesystem::file_type::directory ? "is a folder"
        : type == std::filesystem::file_type::block || type == std::filesystem::file_type::character
            ? "is a device, not a file"
            : nullptr;
    if (refusal) throw FileProblemError({ProblemKind::CannotOpen, path, 0, 0, refusal});
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw FileProblemError(
            {ProblemKind::CannotOpen, path, 0, 0, errno ? std::strerror(errno) : "cannot be read"});
    return in;
}

}  // namespace zan
