#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>

#include "acquisition/acquisition_loop.h"
#include "calibration/cal_info_file.h"
#include "controls/controls.h"
#include "core/field_stream.h"
#include "core/number_value.h"
#include "core/test_support.h"
#include "core/whole_number.h"
#include "link/port_operations.h"
#include "settings/settings_retrieval.h"
#include "shell/settings_files.h"
#include "sim/sensor_model.h"
#include "state/instruments.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

// Every reader of outside text gets this many random and mutated inputs per
// run, under the sanitizers in CI, where nothing may crash or read outside its
// bounds: enough to meet the odd byte, few enough to keep the suite fast. The
// seed is fixed, so a failure repeats.
constexpr int kInputsPerReader = 4000;

// Loaded for the acquisition loop that the line readers feed.
class ReaderFuzz : public test::Loaded {
  protected:
    // Random bytes, or a good text with bytes changed, cut or repeated.
    std::string Input(const std::string& good) {
        std::uniform_int_distribution<int> byte(0, 255), coin(0, 3);
        std::string text;
        if (coin(rng) == 0) {
            text.resize(static_cast<size_t>(Below(300)));
            for (char& c : text) c = static_cast<char>(byte(rng));
            return text;
        }
        text = good;
        for (int edits = Below(6); edits > 0 && !text.empty(); --edits) {
            const size_t at = static_cast<size_t>(Below(static_cast<int>(text.size())));
            switch (coin(rng)) {
                case 0: text[at] = static_cast<char>(byte(rng)); break;
                case 1: text.erase(at, static_cast<size_t>(Below(20))); break;
                case 2: text.insert(at, text.substr(at, static_cast<size_t>(Below(40)))); break;
                default:
                    text.insert(at, Pick({",", "\t", "\r", "\n", "\"", "1e300", "1e99999", "nan",
                                          "-", "."}));
            }
        }
        return text;
    }
    int Below(int n) { return std::uniform_int_distribution<int>(0, std::max(0, n - 1))(rng); }
    std::string Pick(const std::vector<std::string>& words) {
        return words[static_cast<size_t>(Below(static_cast<int>(words.size())))];
    }
    std::mt19937 rng{20261207};
};

TEST_F(ReaderFuzz, CalInfoReadsOnlyNumbersIntoItsCellsOrFailsCleanly) {
    const std::string good =
        "ZAN /tmp/c.txt\r\nCreated on: 12/6/2026\r\n\r\r\nAngle\tScaling Factor\tOffset\r\n"
        "B100\t0.00123\t45\r\nB125\t2\t3\r\nB150\t4\t5\r\nG100\t1\t1\r\nG125\t\t\r\nG150\t1\t\r\n"
        "R100\t1\t2\r\nR125\t3\t4\r\nR150\t5\t6\r\nFluor.\t7\t8\r\n";
    ControlRegistry registry;
    FlexGrid table(registry, "MSFlexGrid2", 8, 5);
    for (int i = 0; i < kInputsPerReader; ++i) {
        const std::string text = Input(good);
        const float type = i % 2 ? kTria : kVsf;
        FieldStream fields(std::make_unique<std::istringstream>(text), "fuzz");
        try {
            ApplyCalInfo(ParseCalInfo(fields, type), table, type);
        } catch (const std::runtime_error&) {
            // A refused file is a clean outcome; only a crash or a sanitizer report fails.
        }
    }
}

TEST_F(ReaderFuzz, SettingsFilesAndReplyLinesGiveKnownCodesValidTimesOrNothing) {
    for (int i = 0; i < kInputsPerReader; ++i) {
        if (const auto choice = ParseQuickSetup(Input("3\r\n2\r\n"))) {
            ASSERT_TRUE(choice->instrument >= 0 && choice->instrument <= 5);
            ASSERT_TRUE(choice->port >= 0 && choice->port <= 4);
        }
        ParsePreferences(Input("True\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n"));
        if (const auto clock = ParseClockLine(Input("12/06/26\t43200.5"))) {
            ASSERT_TRUE(clock->hours >= 0 && clock->hours <= 23);
            ASSERT_TRUE(clock->minutes >= 0 && clock->minutes <= 59);
            ASSERT_TRUE(clock->seconds >= 0 && clock->seconds <= 59);
            ASSERT_TRUE(clock->month >= 1 && clock->month <= 12);
        }
        const std::string digits = Input("0123456789");
        if (const auto n = DigitsNumberIn(digits, 0, 9999)) {
            ASSERT_LE(*n, 9999);
        }
        WholeNumberIn(NumberValue(digits), -5, 5);
    }
}

// Mutated lines of every sensor model, in every instrument and graph view: the
// loop's indices stay in their ranges.
TEST_F(ReaderFuzz, MutatedLinesOfEveryInstrumentAndViewNeverBreakTheLoop) {
    OpenPort(program.ctx, 1);
    MenuItem* instruments[] = {&m.inst2, &m.inst3, &m.inst4, &m.inst5, &m.inst6};
    const float views[] = {0, 1, 5, 6, 7, 11, 12, 99};
    std::vector<sim::LineGenerator> generators;
    for (auto model : {sim::SensorModel::Vsf, sim::SensorModel::Vsfs, sim::SensorModel::Dfl,
                       sim::SensorModel::Dfls, sim::SensorModel::Tria})
        generators.emplace_back(model, 7);
    for (int i = 0; i < kInputsPerReader; ++i) {
        if (i % 40 == 0) {
            instruments[Below(5)]->Click();
            s.GraphView = views[Below(8)];
            s.GraphingOn = static_cast<float>(Below(2));
            m.MSFlexGrid2.SetCell(1 + Below(7), 1 + Below(4), Pick({"5E-06", "x"}));
        }
        WalkReceivedText(program.ctx, Input(generators[static_cast<size_t>(Below(5))].Line(i)));
        ASSERT_TRUE(s.PacketRow >= 0 && s.PacketRow < kRingRows) << s.PacketRow;
        ASSERT_TRUE(s.PacketColumn >= 0 && s.PacketColumn < kSeparatorLimit) << s.PacketColumn;
        ASSERT_TRUE(s.TimePointIndex >= 0 && s.TimePointIndex < kHistorySlots);
    }
}

}  // namespace
}  // namespace zan
