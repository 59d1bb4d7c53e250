#include "core/text_file.h"

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

}  // namespace zan
