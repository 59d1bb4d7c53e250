#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "acquisition/acquisition_loop.h"
#include "core/number_text.h"
#include "core/number_value.h"
#include "decoding/process_packet.h"
#include "virtual/virtual_program.h"

// The replay's shortcuts against the plain ways they stand in for.
namespace zan {
namespace {

// Text a port could deliver: fields, every line end, characters below the
// carriage return that end nothing, separators past the twentieth, and lines
// past the longest one with tabs and line ends beyond it.
std::string NoisyText(std::mt19937& rng) {
    const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const char alphabet[] = "0123456789./: E\t\t\t\r\v\x01";
    std::string text;
    for (int line = 0; line < 400; ++line) {
        const int length = pick(20) == 0 ? 2100 + pick(100) : pick(60);
        for (int i = 0; i < length; ++i) text += alphabet[pick(sizeof alphabet - 1)];
        if (pick(10) == 0) text += std::string(static_cast<size_t>(21 + pick(5)), '\t');
        text += pick(3) == 0 ? "\n" : "\r\n";
        if (pick(10) == 0) text += "\n\n";
    }
    return text;
}

TEST(FastPaths, WalkWithoutEchoBuildsThePacketsOfTheWalkACharacterAtATime) {
    std::mt19937 rng{15};
    VirtualProgram echoed, unechoed;
    const std::string text = NoisyText(rng);
    // In the pieces a port delivers, cut anywhere.
    for (size_t at = 0; at < text.size();) {
        const size_t size = std::uniform_int_distribution<size_t>(1, 300)(rng);
        WalkReceivedText(echoed.ctx, text.substr(at, size), ReceiveEcho::On);
        WalkReceivedText(unechoed.ctx, text.substr(at, size), ReceiveEcho::Off);
        at += size;
        auto packets = [](const ProgramState& s) {
            return std::tie(s.PacketRow, s.PacketColumn, s.ReceivedLineLength, s.PacketColumnCount,
                            s.PacketTable);
        };
        ASSERT_TRUE(packets(echoed.ctx.state) == packets(unechoed.ctx.state)) << at;
    }
    EXPECT_GT(echoed.ctx.state.PacketRow, 300);
    EXPECT_EQ(unechoed.ctx.main.Label43.Caption(), "0");
}

// The general text as the C library writes 15 significant digits.
std::string LibraryText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15G", value);
    return text;
}

std::string LibraryShortText(double value) {
    std::string text = LibraryText(value);
    const size_t zero = text[0] == '-' ? 1 : 0;
    if (text.compare(zero, 2, "0.") == 0) text.erase(zero, 1);
    return value < 0 ? text : " " + text;
}

TEST(FastPaths, NumberTextsOfShortDecimalsTheirNeighboursAndRoundedBetas) {
    std::mt19937_64 rng{15};
    std::vector<double> values;
    for (const double whole : {1.0, 7.0, 19.0, 125.0, 1786.0, 99999.0, 123456789.0,
                               4503599627370497.0, 999999999999999.0, 100000000000000.0})
        for (int decimals = 0; decimals <= 22; ++decimals) {
            const double value = whole / std::pow(10.0, decimals);
            values.insert(values.end(), {value, std::nextafter(value, 0.0),
                                         std::nextafter(value, HUGE_VAL), -value});
        }
    std::uniform_real_distribution<double> counts(0, 4096), unit(0, 1);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(RoundBeta((counts(rng) - 50) * 0.001));
        values.push_back(RoundBeta(std::floor(counts(rng)) * 1e-6 * unit(rng)));
        values.push_back(std::ldexp(unit(rng), static_cast<int>(rng() % 120) - 60));
    }
    // Fifteen digits of every kind, with the point in every place.
    for (int i = 0; i < 20000; ++i)
        values.push_back(static_cast<double>(100000000000000 + rng() % 900000000000000) /
                         std::pow(10.0, static_cast<double>(rng() % 20)));
    for (const double value : values) {
        ASSERT_EQ(GeneralText(value), LibraryText(value)) << LibraryText(value);
        ASSERT_EQ(ShortText(value), LibraryShortText(value)) << LibraryText(value);
        char line[kNumberTextRoom];
        ASSERT_EQ(std::string(line, PutShortText(line, value)), LibraryShortText(value));
    }
}

TEST(FastPaths, PlainNumbersReadInOnePassAsTheGeneralParserReadsThem) {
    std::mt19937 rng{15};
    const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    for (int i = 0; i < 20000; ++i) {
        std::string digits;
        for (int k = 1 + pick(19); k > 0; --k) digits += static_cast<char>('0' + pick(10));
        if (pick(2))
            digits.insert(static_cast<size_t>(pick(static_cast<int>(digits.size()) + 1)), ".");
        const char* signs[] = {"", "-", "+"};
        const std::string sign = signs[pick(3)];
        const std::string text = std::string(static_cast<size_t>(pick(2)), ' ') + sign + digits +
                                 (pick(2) ? "\t" : "  ");
        double expected = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), expected);
        if (sign == "-") expected = -expected;
        const double read = NumberValue(text);
        ASSERT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << text;
    }
}

}  // namespace
}  // namespace zan
