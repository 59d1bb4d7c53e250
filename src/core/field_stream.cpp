#include "core/field_stream.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace zan {
namespace {

constexpr size_t kTextCheckBytes = 4096;

// The bytes that end an unquoted field, and the zero byte that the rules decide on.
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

FieldStream::FieldStream(std::istream& in, std::string name, FieldRules rules, size_t blockSize)
    : in_(&in), name_(std::move(name)), rules_(rules), block_(blockSize) {}

FieldStream::FieldStream(std::unique_ptr<std::istream> in, std::string name)
    : FieldStream(*in, std::move(name)) {
    owned_ = std::move(in);
}

FieldStream::FieldStream(const std::string& path)
    : FieldStream(std::make_unique<std::ifstream>(), path) {
    struct stat info {};
    const auto refuse = [&](const std::string& text) {
        throw FieldStreamError(FieldStreamError::Kind::Open, 0, text);
    };
    if (::stat(path.c_str(), &info) != 0)
        refuse("Could not open " + path + ": " + std::strerror(errno));
    if (!S_ISREG(info.st_mode)) refuse(path + " is not a file");
    auto& file = static_cast<std::ifstream&>(*owned_);
    file.open(path, std::ios::binary);
    if (!file) refuse("Could not open " + path + ": " + std::strerror(errno));
    size_ = static_cast<std::uint64_t>(info.st_size);
    Available();
    if (std::memchr(block_.data(), '\0', std::min(kTextCheckBytes, end_)) != nullptr)
        refuse(path + " is not a text file");
}

void FieldStream::Refuse(FieldStreamError::Kind kind, const std::string& what) const {
    const long long line = kind == FieldStreamError::Kind::TooLong ? fieldLine_ : line_;
    throw FieldStreamError(kind, line, name_ + ", line " + std::to_string(line) + ": " + what);
}

bool FieldStream::Fill() {
    pos_ = end_ = 0;
    if (!*in_) return false;
    in_->read(block_.data(), static_cast<std::streamsize>(block_.size()));
    if (in_->bad() && rules_.wholeFileText)
        Refuse(FieldStreamError::Kind::ReadFailed, "could not be read");
    end_ = static_cast<size_t>(in_->gcount());
    bytesFetched_ += end_;
    return end_ > 0;
}

void FieldStream::CheckLength(size_t length) const {
    if (length > rules_.longestField)
        Refuse(
            FieldStreamError::Kind::TooLong,
            "longer than " + std::to_string(rules_.longestField) + " characters, not a text line");
}

void FieldStream::Keep(size_t from, size_t to) {
    CheckLength(kept_.size() + (to - from));
    kept_.append(block_.data() + from, to - from);
}

// A quoted field keeps everything up to its closing quote, line ends too.
void FieldStream::ReadQuoted() {
    char previous = '\0';
    while (Available()) {
        const char* begin = block_.data() + pos_;
        const char* close = static_cast<const char*>(std::memchr(begin, '"', end_ - pos_));
        const size_t stop = close ? static_cast<size_t>(close - block_.data()) : end_;
        for (size_t i = pos_; i < stop; ++i) {
            const char c = block_[i];
            if (c == '\0' && rules_.wholeFileText)
                Refuse(FieldStreamError::Kind::ZeroByte, "holds a zero byte, not a text line");
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

bool FieldStream::AtEnd() { return !SkipLineFeed(); }

bool FieldStream::Next() {
    if (!SkipLineFeed()) return false;
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
        if (pos_ < end_ && *p != '\0') break;
        if (pos_ < end_) {
            if (rules_.wholeFileText)
                Refuse(FieldStreamError::Kind::ZeroByte, "holds a zero byte, not a text line");
            ++pos_;
            continue;
        }
        if (!quoted) Keep(start, pos_);
        spans = true;
        start = 0;
        if (!Available()) break;
    }
    const bool atEnd = pos_ >= end_;
    if (spans && !quoted && !atEnd) Keep(start, pos_);
    text_ = spans ? std::string_view(kept_) : std::string_view(block_.data() + start, pos_ - start);
    CheckLength(text_.size());
    if (atEnd) return true;
    const char stop = block_[pos_++];
    if (stop == ',') {
        nextFirstField_ =
            firstField_ + static_cast<int>(std::count(text_.begin(), text_.end(), '\t')) + 1;
        return true;
    }
    nextFirstField_ = 1;
    skipLf_ = stop == '\r';
    // Lines are counted at line feeds, a CR LF pair once its LF is seen.
    if (stop == '\n' || rules_.loneCrEndsLine) ++line_;
    return true;
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
    field.assign(text_);
}

}  // namespace zan
