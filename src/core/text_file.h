#pragma once
#include <string>

namespace zan {

// Reads a text field by field: a field ends at a comma, a CR LF pair, a lone
// CR or a lone LF; leading blanks are skipped; a field that begins with a
// double quote runs to the closing quote. This is how every stored file of the
// program is read, so a comma inside a line splits it.
class FieldReader {
  public:
    explicit FieldReader(std::string content);
    // Throws std::runtime_error("Input past end of file") when nothing is left.
    std::string ReadField();
    bool AtEnd() const { return pos_ >= content_.size(); }

  private:
    std::string content_;
    size_t pos_ = 0;
};

}  // namespace zan
