#include "driver/script_words.h"

#include <climits>
#include <sstream>
#include <stdexcept>
#include <string>

#include "core/number_value.h"
#include "core/whole_number.h"
#include "ports/port_map.h"

namespace zan {

std::vector<std::string> ScriptWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::string After(const std::string& line, size_t n) {
    size_t pos = 0;
    for (size_t k = 0; k < n; ++k) {
        pos = line.find_first_not_of(" \t", pos);
        if (pos == std::string::npos) return {};
        pos = line.find_first_of(" \t", pos);
        if (pos == std::string::npos) return {};
    }
    return pos + 1 <= line.size() ? line.substr(pos + 1) : std::string();
}

int PortNumber(const std::string& word) {
    const auto n = WholeNumberIn(NumberValue(word), 1, kPortCount);
    if (!n)
        throw std::invalid_argument("port numbers are 1 to " + std::to_string(kPortCount) + ": " +
                                    word);
    return static_cast<int>(*n);
}

int WholeWord(const std::string& word) {
    const auto n = WholeNumberIn(WholeTextNumber(word), INT_MIN, INT_MAX);
    if (!n) throw std::invalid_argument("not a whole number: " + word);
    return static_cast<int>(*n);
}

}  // namespace zan
