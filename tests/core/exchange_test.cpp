#include <gtest/gtest.h>

#include "settings_test_support.h"

namespace zan {
namespace {

// The far end of the line, recording everything that reaches the wire:
// written text and every change of DTR (the firmware query's wake-up pulse).
class Wire : public Device {
  public:
    void OnWrite(const std::string& text, double) override { written += text; }
    void OnDtr(bool, double) override { ++dtrChanges; }
    std::string Produce(double) override { return {}; }
    std::string Describe() const override { return "wire"; }
    std::string written;
    int dtrChanges = 0;
};

// Apply Settings with the named button clicked during its first wait: the
// wire carries what the application alone sends, and every button that
// starts an exchange is disabled meanwhile and restored after.
TEST(Exchange, AFirmwareQueryOrAnyOtherExchangeClickedDuringASettingsApplicationIsRefused) {
    const char* const starters[] = {"Command28",   "Command3",    "Command2", "Command27",
                                    "Command5(0)", "Command5(1)", "ddfe",     "Command12",
                                    "Command4",    "Command13"};
    auto apply = [&](const char* intruder, std::vector<bool>* enabledDuring) {
        auto wire = std::make_shared<Wire>();
        test::SettingsBench bench(wire);
        MainForm& m = bench.m;
        m.Text1.SetText("7");
        m.Text6.SetText("4");
        m.Text7.SetText("2006");
        const std::string caption = m.Command28.Caption();
        std::vector<bool> enabledBefore;
        for (const char* name : starters) enabledBefore.push_back(m.registry.Find(name)->Enabled());
        bench.program.pump.Post([&] {
            for (const char* name : starters)
                enabledDuring->push_back(m.registry.Find(name)->Enabled());
            if (intruder) ClickControl(*m.registry.Find(intruder));
        });
        m.Command2.Click();
        for (size_t i = 0; i < std::size(starters); ++i)
            EXPECT_EQ(m.registry.Find(starters[i])->Enabled(), enabledBefore[i]) << starters[i];
        EXPECT_EQ(m.Command28.Caption(), caption);
        EXPECT_TRUE(bench.program.dialogs.Messages().empty());
        EXPECT_EQ(wire->dtrChanges, 0) << intruder;
        return wire->written;
    };
    std::vector<bool> enabledDuring;
    const std::string alone = apply(nullptr, &enabledDuring);
    EXPECT_EQ(enabledDuring, std::vector<bool>(std::size(starters), false));
    for (const char* intruder : starters)
        EXPECT_EQ(apply(intruder, &enabledDuring), alone) << intruder;
}

}  // namespace
}  // namespace zan
