#include "core/field_stream.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace zan {
namespace {

constexpr size_t kBlockBytes = 64 * 1024;
constexpr size_t kTextCheckBytes = 4096;

bool IsFieldEnd(char c) { return c == ',' || c == '\r' || c == '\n'; }

}  // namespace

FieldStream::FieldStream(std::unique_ptr<std::istream> in, std::string name)
    : in_(std::move(in)), name_(std::move(name)), buffer_(kBlockBytes) {}

FieldStream::FieldStream(const std::string& path) : name_(path), buffer_(kBlockBytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        throw FieldStreamError("Could not open " + path + ": " + std::strerror(errno));
    if (!S_ISREG(info.st_mode)) throw FieldStreamError(path + " is not a file");
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file) throw FieldStreamError("Could not open " + path + ": " + std::strerror(errno));
    size_ = static_cast<std::uint64_t>(info.st_size);
    in_ = std::move(file);
    Fill();
    const size_t start = std::min(kTextCheckBytes, static_cast<size_t>(end_ - next_));
    if (std::memchr(next_, '\0', start) != nullptr)
        throw FieldStreamError(path + " is not a text file");
}

bool FieldStream::Fill() {
    in_->read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    const auto got = static_cast<size_t>(in_->gcount());
    next_ = buffer_.data();
    end_ = next_ + got;
    bytesRead_ += got;
    return got > 0;
}

bool FieldStream::AtEnd() { return Peek() == kEnd; }

void FieldStream::Add(std::string& field, const char* from, size_t count) {
    if (field.size() + count > kFieldLimit)
        throw FieldStreamError(name_ + ", line " + std::to_string(fieldLine_) + ": longer than " +
                               std::to_string(kFieldLimit) + " characters, not a text line");
    field.append(from, count);
}

std::string FieldStream::ReadField() {
    std::string field;
    ReadField(field);
    return field;
}

void FieldStream::ReadField(std::string& field) {
    field.clear();
    if (AtEnd()) throw FieldStreamError("Input past end of file");
    fieldLine_ = line_;
    while (Peek() == ' ') Take();
    const bool quoted = Peek() == '"';
    if (quoted) {
        Take();
        for (int c = Take(); c != kEnd && c != '"'; c = Take()) {
            if (c == '\n') ++line_;
            const char ch = static_cast<char>(c);
            Add(field, &ch, 1);
        }
    }
    // Whole runs up to the next field end are taken at once.
    while (Peek() != kEnd) {
        const char* run = next_;
        while (run < end_ && !IsFieldEnd(*run)) ++run;
        if (!quoted) Add(field, next_, static_cast<size_t>(run - next_));
        next_ = run;
        if (next_ == end_) continue;
        // Lines are counted at line feeds, as an editor shows them.
        const char c = *next_++;
        bool lineFeed = c == '\n';
        if (c == '\r' && Peek() == '\n') {
            Take();
            lineFeed = true;
        }
        if (lineFeed) ++line_;
        return;
    }
}

}  // namespace zan
