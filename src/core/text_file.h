#pragma once
#include <fstream>
#include <memory>
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

// Opens a file for field reading; throws std::runtime_error with the system's
// description when it cannot be read.
std::unique_ptr<FieldReader> OpenFieldReader(const std::string& path);

// A text file written line by line, each line ended by CR LF.
class LineWriter {
  public:
    enum class Mode { Create, Append };
    // Throws std::runtime_error with the system's description on failure, as
    // do Write, WriteLine and Close.
    LineWriter(const std::string& path, Mode mode);
    void WriteLine(const std::string& text);
    void Write(const std::string& text);
    void Close();
    bool IsOpen() const { return file_.is_open(); }

  private:
    [[noreturn]] void Fail();
    std::string path_;
    std::ofstream file_;
};

// The system's description of the last failed file operation on a path.
std::string FileErrorDescription(const std::string& path);

}  // namespace zan
