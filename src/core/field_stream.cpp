#include "core/field_stream.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "core/word_scan.h"

namespace zan {
namespace {

// The bytes that end an unquoted field, and the zero byte where the rules
// refuse it.
constexpr std::array<bool, 256> StopBytes() {
    std::array<bool, 256> stop{};
    stop[static_cast<unsigned char>(',')] = true;
    stop[static_cast<unsigned char>('\r')] = true;
    stop[static_cast<unsigned char>('\n')] = true;
    stop[0] = true;
    return stop;
}
constexpr std::array<bool, 256> kStop = StopBytes();

}  // namespace

FieldStream::FieldStream(std::istream& in, std::string name, FieldRules rules, size_t blockSize,
                         std::string kind)
    : in_(&in),
      name_(std::move(name)),
      rules_(rules),
      kind_(std::move(kind)),
      block_(new char[blockSize]),
      blockSize_(blockSize) {}

FieldStream::FieldStream(std::unique_ptr<std::istream> in, std::string name)
    : FieldStream(*in, std::move(name)) {
    owned_ = std::move(in);
}

namespace {

UserFileInput OpenOrRefuse(const std::string& path, const std::string& kind, const std::string& use,
                           const FilesInUse& inUse) {
    try {
        return OpenUserFile(path, kind, use, inUse);
    } catch (const UserFileError& e) {
        throw FieldStreamError(FieldStreamError::Kind::Open, 0, e.what());
    }
}

}  // namespace

FieldStream::FieldStream(const std::string& path, const std::string& kind, FieldRules rules,
                         const std::string& use, const FilesInUse& inUse)
    : in_(nullptr), name_(path), rules_(rules), kind_(kind), blockSize_(kBlockSize) {
    UserFileInput file = OpenOrRefuse(path, kind, use, inUse);
    owned_ = std::move(file.stream);
    in_ = owned_.get();
    identity_ = file.identity;
    size_ = file.size;
    block_.reset(new char[blockSize_]);
}

void FieldStream::Refuse(FieldStreamError::Kind kind, const std::string& what) const {
    const long long line = kind == FieldStreamError::Kind::TooLong ? fieldLine_ : line_;
    throw FieldStreamError(kind, line, name_ + ", line " + std::to_string(line) + ": " + what);
}

void FieldStream::RefuseBinary() const {
    throw FieldStreamError(FieldStreamError::Kind::ZeroByte, line_,
                           BinaryRefusal(name_, line_, kind_));
}

bool FieldStream::Fill() {
    pos_ = end_ = 0;
    if (!*in_) return false;
    in_->read(block_.get(), static_cast<std::streamsize>(blockSize_));
    if (in_->bad()) Refuse(FieldStreamError::Kind::ReadFailed, "could not be read");
    end_ = static_cast<size_t>(in_->gcount());
    bytesFetched_ += end_;
    return end_ > 0;
}

// A refused line is passed over whole: the next field read starts the next
// line, never in the middle of the one refused.
void FieldStream::CheckLength(size_t length) {
    if (length <= rules_.longestField) return;
    SkipRestOfLine();
    Refuse(FieldStreamError::Kind::TooLong,
           "longer than " + std::to_string(rules_.longestField) + " characters, not a text line");
}

void FieldStream::SkipRestOfLine() {
    while (Available()) {
        const char* const base = block_.get();
        const char* stop = base + pos_;
        while (stop < base + end_ && *stop != '\r' && *stop != '\n') ++stop;
        pos_ = static_cast<size_t>(stop - base);
        if (pos_ == end_) continue;
        ++pos_;
        return CountLineEnd(*stop);
    }
}

void FieldStream::Keep(size_t from, size_t to) {
    CheckLength(kept_.size() + (to - from));
    kept_.append(block_.get() + from, to - from);
}

// A quoted field keeps everything up to its closing quote, line ends too.
void FieldStream::ReadQuoted() {
    char previous = '\0';
    while (Available()) {
        const char* begin = block_.get() + pos_;
        const char* close = static_cast<const char*>(std::memchr(begin, '"', end_ - pos_));
        const size_t stop = close ? static_cast<size_t>(close - block_.get()) : end_;
        for (size_t i = pos_; i < stop; ++i) {
            const char c = block_[i];
            if (c == '\0') RefuseBinary();
            if (c == '\n' ? previous != '\r' || !rules_.loneCrEndsLine
                          : c == '\r' && rules_.loneCrEndsLine)
                ++line_;
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

bool FieldStream::SkipLineFeed() {
    if (!Available()) return false;
    if (!skipLf_) return true;
    skipLf_ = false;
    if (block_[pos_] != '\n') return true;
    ++pos_;
    if (!rules_.loneCrEndsLine) ++line_;
    return Available();
}

inline const char* FieldStream::Scan(const char* p, const char* end) const {
    // Eight bytes at a time up to the word that holds the end or a zero byte.
    while (end - p >= 8 && !WordHoldsAny(WordAt(p), ',', '\r', '\n', '\0')) p += 8;
    while (p < end && !kStop[static_cast<unsigned char>(*p)]) ++p;
    return p;
}

// Counts the line that the CR or LF just taken ends.
inline void FieldStream::CountLineEnd(char stop) {
    nextFirstField_ = 1;
    if (stop == '\n') {
        ++line_;
        return;
    }
    // A CR LF pair ends one line; its LF may wait in the next block, which
    // must not be read while the field's text points into this one.
    const bool lineFeedNext = pos_ < end_ && block_[pos_] == '\n';
    skipLf_ = pos_ >= end_;
    if (lineFeedNext) ++pos_;
    if (lineFeedNext || rules_.loneCrEndsLine) ++line_;
}

// Takes the byte that ended the field, if any, and counts what it ends.
inline bool FieldStream::EndField() {
    if (text_.size() > rules_.longestField) CheckLength(text_.size());
    if (pos_ >= end_) return true;
    const char stop = block_[pos_++];
    if (stop == ',') {
        nextFirstField_ =
            firstField_ + static_cast<int>(std::count(text_.begin(), text_.end(), '\t')) + 1;
        return true;
    }
    CountLineEnd(stop);
    return true;
}

bool FieldStream::Next() {
    if (skipLf_ ? !SkipLineFeed() : !Available()) return false;
    fieldLine_ = line_;
    firstField_ = nextFirstField_;
    // The usual field, unquoted and without leading blanks, ends in its block.
    const char* const base = block_.get();
    const char* const first = base + pos_;
    const char* const end = base + end_;
    if (*first != ' ' && *first != '"') {
        const char* const stop = Scan(first, end);
        if (stop < end && *stop != '\0') {
            text_ = std::string_view(first, static_cast<size_t>(stop - first));
            pos_ = static_cast<size_t>(stop - base);
            return EndField();
        }
    }
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
        const char* p = Scan(block_.get() + pos_, block_.get() + end_);
        pos_ = static_cast<size_t>(p - block_.get());
        if (pos_ < end_ && *p != '\0') break;
        if (pos_ < end_) RefuseBinary();
        if (!quoted) Keep(start, pos_);
        spans = true;
        start = 0;
        if (!Available()) break;
    }
    if (spans && !quoted && pos_ < end_) Keep(start, pos_);
    text_ = spans ? std::string_view(kept_) : std::string_view(block_.get() + start, pos_ - start);
    return EndField();
}

std::string FieldStream::ReadField() {
    std::string field;
    ReadField(field);
    return field;
}

void FieldStream::ReadField(std::string& field) {
    if (!Next())
        throw FieldStreamError(FieldStreamError::Kind::PastEnd, fieldLine_,
                               "Input past end of file");
    field.clear();
    field.append(text_.data(), text_.size());
}

}  // namespace zan
