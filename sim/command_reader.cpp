#include "sim/command_reader.h"

#include <array>

namespace zan::sim {
namespace {

constexpr std::array<const char*, 18> kHeadWords = {
    "stop", "D",   "R",   "STOPc1", "c2",  "c3",  "CA1", "CA0", "CB1",
    "CB0",  "CPA", "CPD", "CPP",    "CPS", "CPV", "CPX", "r",   "STOPSYR"};

bool StartsAWord(const std::string& text) {
    for (const char* word : kHeadWords)
        if (std::string(word).compare(0, text.size(), text) == 0) return true;
    return false;
}

bool IsHeadWord(const std::string& word) {
    for (const char* w : kHeadWords)
        if (word == w) return true;
    return false;
}

// The slot words take the next character as their slot letter.
bool TakesSlotLetter(const std::string& word) {
    return word == "STOPc1" || word == "c2" || word == "c3";
}

}  // namespace

std::vector<std::string> CommandReader::Take(const std::string& text) {
    std::vector<std::string> done;
    for (char c : text) {
        if (model_ == SensorModel::Tria)
            TakeHeadCharacter(c, done);
        else
            done.emplace_back(1, c);
    }
    return done;
}

void CommandReader::TakeHeadCharacter(char c, std::vector<std::string>& done) {
    if (TakesSlotLetter(word_)) {
        done.push_back(word_ + c);
        word_.clear();
        return;
    }
    word_ += c;
    // A word that cannot go on loses its first characters until what is left
    // could start one ("xstop" is read as "stop").
    while (!word_.empty() && !StartsAWord(word_)) word_.erase(0, 1);
    // "STOP" could still become "STOPc1" or "STOPSYR"; only a whole word is a command.
    if (IsHeadWord(word_) && !TakesSlotLetter(word_)) {
        done.push_back(word_);
        word_.clear();
    }
}

}  // namespace zan::sim
