#include "core/text_file.h"

#include <cerrno>
#include <cstring>
#include <sstream>
#include <stdexcept>

namespace zan {

FieldReader::FieldReader(std::string content) : content_(std::move(content)) {}

std::string FieldReader::ReadField() {
    if (AtEnd()) throw std::runtime_error("Input past end of file");
    while (pos_ < content_.size() && content_[pos_] == ' ') ++pos_;
    std::string field;
    bool quoted = pos_ < content_.size() && content_[pos_] == '"';
    if (quoted) {
        size_t close = content_.find('"', pos_ + 1);
        if (close == std::string::npos) close = content_.size();
        field = content_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close < content_.size() ? close + 1 : close;
    }
    while (pos_ < content_.size()) {
        char c = content_[pos_];
        if (c == ',' || c == '\n') {
            ++pos_;
            return field;
        }
        if (c == '\r') {
            ++pos_;
            if (pos_ < content_.size() && content_[pos_] == '\n') ++pos_;
            return field;
        }
        if (!quoted) field += c;
        ++pos_;
    }
    return field;
}

std::string FileErrorDescription(const std::string& path) {
    return std::string(std::strerror(errno)) + ": " + path;
}

std::unique_ptr<FieldReader> OpenFieldReader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(FileErrorDescription(path));
    std::ostringstream content;
    content << in.rdbuf();
    return std::make_unique<FieldReader>(content.str());
}

LineWriter::LineWriter(const std::string& path, Mode mode) : path_(path) {
    errno = 0;
    auto flags = std::ios::binary | (mode == Mode::Append ? std::ios::app : std::ios::trunc);
    file_.open(path, std::ios::out | flags);
    if (!file_) throw std::runtime_error(FileErrorDescription(path));
}

// The system's description when it gave one, a full disk found only when the
// buffer is flushed included.
void LineWriter::Fail() {
    if (errno != 0) throw std::runtime_error(FileErrorDescription(path_));
    throw std::runtime_error("Could not write " + path_);
}

void LineWriter::Write(const std::string& text) {
    if (!file_.is_open()) throw std::runtime_error("Bad file name or number");
    errno = 0;
    file_ << text;
    if (!file_) Fail();
}

void LineWriter::WriteLine(const std::string& text) { Write(text + "\r\n"); }

void LineWriter::Close() {
    if (!file_.is_open()) return;
    errno = 0;
    file_.close();
    if (file_.fail()) Fail();
}

}  // namespace zan
