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

struct Guarded {
    std::shared_ptr<Wire> wire = std::make_shared<Wire>();
    test::SettingsBench bench{wire};
    MainForm& m = bench.m;

    Guarded() {
        m.Text1.SetText("7");
        m.Text6.SetText("4");
        m.Text7.SetText("2006");
    }
    // Apply Settings, with the given button clicked during its first wait.
    void ApplyWithClickOn(Control* intruder, std::vector<bool>* startersEnabled = nullptr) {
        bench.program.pump.Post([this, intruder, startersEnabled] {
            if (startersEnabled)
                for (Control* c : Starters()) startersEnabled->push_back(c->Enabled());
            if (intruder) ClickControl(*intruder);
        });
        m.Command2.Click();
    }
    std::vector<Control*> Starters() {
        return {&m.Command3,   &m.Command2, &m.Command27, &m.Command28, &m.Command5_0,
                &m.Command5_1, &m.ddfe,     &m.Command12, &m.Command4,  &m.Command13};
    }
};

TEST(Exchange, FirmwareQueryClickedDuringASettingsApplicationIsRefusedAndNothingReachesTheWire) {
    Guarded alone;
    alone.ApplyWithClickOn(nullptr);

    Guarded guarded;
    const std::string caption = guarded.m.Command28.Caption();
    std::vector<bool> enabledBefore, enabledDuring;
    for (Control* c : guarded.Starters()) enabledBefore.push_back(c->Enabled());
    guarded.ApplyWithClickOn(&guarded.m.Command28, &enabledDuring);
    EXPECT_EQ(guarded.wire->written, alone.wire->written);
    EXPECT_EQ(guarded.wire->dtrChanges, 0);
    EXPECT_EQ(guarded.m.Command28.Caption(), caption);
    EXPECT_TRUE(guarded.bench.program.dialogs.Messages().empty());
    EXPECT_EQ(enabledDuring, std::vector<bool>(10, false));
    for (size_t i = 0; i < enabledBefore.size(); ++i)
        EXPECT_EQ(guarded.Starters()[i]->Enabled(), enabledBefore[i]) << i;
}

TEST(Exchange, EveryOtherExchangeClickedDuringASettingsApplicationIsRefused) {
    Guarded alone;
    alone.ApplyWithClickOn(nullptr);
    for (const char* name : {"Command3", "Command2", "Command27", "Command5(0)", "Command5(1)",
                             "ddfe", "Command12", "Command4", "Command13"}) {
        Guarded guarded;
        guarded.ApplyWithClickOn(guarded.m.registry.Find(name));
        EXPECT_EQ(guarded.wire->written, alone.wire->written) << name;
        EXPECT_EQ(guarded.wire->dtrChanges, 0) << name;
    }
}

TEST(Exchange, RunAndDownloadHoldTheLineOnlyWhileTheyWrite) {
    Guarded g;
    g.m.Command5_0.Click();
    g.m.ddfe.Click();
    g.m.Command5_1.Click();
    EXPECT_EQ(g.wire->written, "ror");
    EXPECT_FALSE(g.bench.program.ctx.exchangeRunning);
}

}  // namespace
}  // namespace zan
