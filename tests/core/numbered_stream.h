#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/test_support.h"
#include "virtual/virtual_port.h"

namespace zan::test {

inline constexpr double kLinesPerSecond = 2000;

// A VSF streaming 2000 lines a second, its characters leaving at the pace
// the line carries them, so an unplug cuts a line. Every number on line k is
// k, so a line glued from two measurements holds two numbers. It notes the
// longest time its characters waited at the port for the program.
class Stream : public Device {
  public:
    static std::string Line(long long k) {
        char number[16];
        std::snprintf(number, sizeof number, "\t%06lld", k);
        std::string line = "12/06/26";
        for (int field = 0; field < 5; ++field) line += number;
        return line + "\r\n";
    }
    // What it said while no one listened is gone: it talks on from where it is.
    void OnOpen(double now) override {
        sent_ = Due(now);
        lastRead_ = now;
    }
    std::string Produce(double now) override {
        const long long length = static_cast<long long>(Line(0).size());
        const long long due = Due(now);
        std::string out;
        while (sent_ < due) {
            const long long offset = sent_ % length;
            const long long n = std::min(length - offset, due - sent_);
            out += Line(sent_ / length).substr(static_cast<size_t>(offset), static_cast<size_t>(n));
            sent_ += n;
        }
        longestWait = std::max(longestWait, now - lastRead_);
        lastRead_ = now;
        return out;
    }
    std::string Describe() const override { return "stream"; }
    double longestWait = 0;

  private:
    // How many characters it has said by then.
    static long long Due(double now) {
        return static_cast<long long>(now * kLinesPerSecond * static_cast<double>(Line(0).size()));
    }
    long long sent_ = 0;
    double lastRead_ = 0;
};

// The measurement numbers of a recording's or raw log's data lines, in file
// order; a line holding fields of two measurements fails the test. A line's
// tail that arrived after a reconnect, too short to hold a number, has none.
inline std::vector<long long> Measurements(const std::filesystem::path& file) {
    std::istringstream in(ReadBytes(file));
    std::vector<long long> found;
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        if (++lineNumber <= 3 || line == "EOF\r") continue;
        std::istringstream fields(line);
        std::set<long long> numbers;
        std::string field;
        std::getline(fields, field, '\t');
        while (std::getline(fields, field, '\t')) numbers.insert(std::stoll(field));
        EXPECT_LE(numbers.size(), 1u) << file << " line " << lineNumber << ": " << line;
        if (!numbers.empty()) found.push_back(*numbers.begin());
    }
    return found;
}

// Whether the numbers run on by one from the first to the last.
inline bool Unbroken(const std::vector<long long>& numbers) {
    for (size_t i = 1; i < numbers.size(); ++i)
        if (numbers[i] != numbers[i - 1] + 1) return false;
    return !numbers.empty();
}

}  // namespace zan::test
