#pragma once
#include <string>
#include <vector>

namespace zan {

// The words of a script line, split at blanks and tabs.
std::vector<std::string> ScriptWords(const std::string& line);
// The text after the first n words of a line, as it stands.
std::string After(const std::string& line, size_t n);
// A port number word, 1 to 4.
int PortNumber(const std::string& word);
// A whole-number argument (a row, a key code, a check box value).
int WholeWord(const std::string& word);

}  // namespace zan
