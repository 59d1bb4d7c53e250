#include "core/field_stream.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>

namespace zan {
namespace {

constexpr std::streamsize kTextCheckBytes = 4096;

}  // namespace

FieldStream::FieldStream(std::unique_ptr<std::istream> in, std::string name)
    : owned_(std::move(in)), in_(owned_.get()), name_(std::move(name)) {}

FieldStream::FieldStream(const std::string& path) : name_(path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        throw FieldStreamError("Could not open " + path + ": " + std::strerror(errno));
    if (!S_ISREG(info.st_mode)) throw FieldStreamError(path + " is not a file");
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file) throw FieldStreamError("Could not open " + path + ": " + std::strerror(errno));
    char start[kTextCheckBytes];
    file->read(start, kTextCheckBytes);
    if (std::memchr(start, '\0', static_cast<size_t>(file->gcount())) != nullptr)
        throw FieldStreamError(path + " is not a text file");
    file->clear();
    file->seekg(0);
    size_ = static_cast<std::uint64_t>(info.st_size);
    owned_ = std::move(file);
    in_ = owned_.get();
}

int FieldStream::Take() {
    // Straight from the buffer: the stream's own get() costs a guard object per character.
    const int c = in_->rdbuf()->sbumpc();
    if (c != std::char_traits<char>::eof()) ++bytesRead_;
    return c;
}

bool FieldStream::AtEnd() { return Peek() == std::char_traits<char>::eof(); }

std::string FieldStream::ReadField() {
    constexpr int kEnd = std::char_traits<char>::eof();
    if (AtEnd()) throw FieldStreamError("Input past end of file");
    fieldLine_ = line_;
    while (Peek() == ' ') Take();
    std::string field;
    auto add = [&](int c) {
        if (field.size() >= kFieldLimit)
            throw FieldStreamError(name_ + ", line " + std::to_string(fieldLine_) +
                                   ": longer than " + std::to_string(kFieldLimit) +
                                   " characters, not a text line");
        field += static_cast<char>(c);
    };
    const bool quoted = Peek() == '"';
    if (quoted) {
        Take();
        for (int c = Take(); c != kEnd && c != '"'; c = Take()) {
            if (c == '\n') ++line_;
            add(c);
        }
    }
    for (int c = Take(); c != kEnd; c = Take()) {
        if (c == ',') return field;
        if (c == '\n' || c == '\r') {
            if (c == '\r' && Peek() == '\n') Take();
            ++line_;
            return field;
        }
        if (!quoted) add(c);
    }
    return field;
}

}  // namespace zan
