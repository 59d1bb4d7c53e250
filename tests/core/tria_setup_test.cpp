#include <gtest/gtest.h>

#include "core/settings_test_support.h"
#include "core/test_support.h"
#include "settings/tria_listing.h"
#include "settings/tria_setup.h"
#include "sim/simulated_sensor.h"

namespace zan {
namespace {

using test::Lines;

TEST(TriaListing, LinesAreReadByTheirExactEndingsAndOnInAnyCase) {
    const struct {
        const char* line;
        std::optional<int> slot, pressure;
    } endings[] = {
        {"Slot 2: Green VSF", 1, std::nullopt},   {"Slot 2: green vsf", {}, std::nullopt},
        {"Slot 3: Fluorometer", 3, std::nullopt}, {"Slot 1: No Sensor", 4, std::nullopt},
        {"Pressure output: SI Units", {}, 3},     {"Pressure output: psi", {}, {}},
    };
    for (const auto& e : endings) {
        EXPECT_EQ(SlotPosition(e.line), e.slot) << e.line;
        EXPECT_EQ(PressurePosition(e.line), e.pressure) << e.line;
    }
    EXPECT_EQ(HeadFirmwareCaption("TRIA VSF 1.02") + "|" + HeadFirmwareCaption("TRIA 1.04"),
              "VSF 1.02|TRIA 1.04");
    EXPECT_TRUE(SaysOn("Aux 1: on") && !SaysOn("Aux 1: OFF"));
}

// A loaded program with the TRIA selected and port 1 open on the device.
template <typename D>
struct HeadBench {
    explicit HeadBench(std::shared_ptr<D> d) : device(std::move(d)) {
        program.port.Attach(1, device);
        program.Load();
        m.inst6.Click();
        m.op1.Click();
        program.pump.RunFor(2.5);
        m.ProgressBar2.Observe([this](Property) { steps.push_back(m.ProgressBar2.Value()); });
    }
    Lines Messages() const { return test::Messages(program); }

    std::shared_ptr<D> device;
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    std::vector<double> steps;
};

struct OnAFeed : HeadBench<FeedDevice> {
    OnAFeed() : HeadBench(std::make_shared<FeedDevice>()) {}
};

TEST(TriaApply, SendsTheFrameInItsOrderWithItsWaitsThenAsksTheListingBack) {
    OnAFeed b;
    test::ChooseHead(b.m, 3, 4, 0, 1, 0, 2);
    const double start = b.program.pump.Seconds();
    b.m.Command4.Click();
    // A feed lists nothing back: the box says so, and the head is told to run.
    EXPECT_EQ(b.device->Written(), "STOPc1Fc2Nc3BCA1CB0CPPrstopDR");
    EXPECT_NEAR(b.program.pump.Seconds() - start, 11.5, 0.05);
    EXPECT_EQ(b.steps, (std::vector<double>{15, 30, 90, 100, 0}));
    EXPECT_TRUE(test::OneMessageWith(
        b.program, "TRIA Setup: The settings were sent, but the head did not list them back"));
    EXPECT_TRUE(test::OneMessageWith(b.program, "The head was told to run again (\"R\")."));
    // Grey boxes and no pressure choice send nothing for them.
    test::ChooseHead(b.m, 0, 1, 2, 2, 2, -1);
    b.m.Command4.Click();
    EXPECT_EQ(b.device->Written(), "STOPc1Fc2Nc3BCA1CB0CPPrstopDRSTOPc1Bc2Gc3RrstopDR");
    b.m.Combo2.SetText("Sensor 2");
    b.m.Command4.Click();
    // A closed port sends nothing and says nothing.
    b.m.cp.Click();
    b.m.Command4.Click();
    EXPECT_EQ(b.device->Written(), "STOPc1Fc2Nc3BCA1CB0CPPrstopDRSTOPc1Bc2Gc3RrstopDR");
    ASSERT_EQ(b.Messages().size(), 3u);
    EXPECT_EQ(b.Messages()[2].rfind("Missing Parameter: No sensor is chosen for slot 2.", 0), 0u);
}

TEST(TriaLock, SendsStopsyrStepsTheBarAndSaysWhatTheHeadAnsweredOrThatItDidNot) {
    OnAFeed b;
    const double start = b.program.pump.Seconds();
    b.device->Feed("\r\n>");
    b.program.pump.RunFor(0.1);
    b.program.pump.Post([&] { b.device->Feed("\r\nSettings locked\r\n>"); });
    b.m.Command13.Click();
    EXPECT_EQ(b.device->Written(), "STOPSYR");
    EXPECT_NEAR(b.program.pump.Seconds() - start, 2.7, 0.05);
    EXPECT_EQ(b.steps, (std::vector<double>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 0}));
    // Silent: no answer means not known to be locked.
    b.m.Command13.Click();
    b.program.port.FailWrites("Device not ready");
    b.m.Command13.Click();
    b.program.port.FailWrites("");
    b.m.cp.Click();
    b.m.Command13.Click();
    EXPECT_EQ(b.Messages(),
              (Lines{"TRIA Setup: The head answered the lock command: Settings locked",
                     "TRIA Setup: The head gave no answer this program could read to the lock "
                     "command (\"STOPSYR\"), so it is not known to be locked: check that it is "
                     "powered and connected, then lock again.",
                     "Error: Device not ready",
                     "TRIA Setup: The port is closed, so the head was not locked. Open the head's "
                     "port and try again."}));
    EXPECT_EQ(b.device->Written(), "STOPSYRSTOPSYR");
}

struct OnTheHead : HeadBench<sim::SimulatedSensor> {
    OnTheHead() : HeadBench(std::make_shared<sim::SimulatedSensor>(sim::SensorModel::Tria)) {}
    void Scramble() {
        for (ComboBox* combo : {&m.Combo1, &m.Combo2, &m.Combo3, &m.Combo4}) combo->SetText("?");
        m.Check5.SetValue(2);
        m.Check8.SetValue(2);
    }
    // The slots, the pressure output, then each auxiliary box's caption and value.
    std::vector<std::string> Frame() {
        std::vector<std::string> shown{m.Combo1.Text(), m.Combo2.Text(), m.Combo3.Text()};
        shown.push_back(m.Combo4.Text());
        for (CheckBox* aux : {&m.Check5, &m.Check8})
            shown.push_back(aux->Caption() + std::to_string(aux->Value()));
        return shown;
    }
};

TEST(TriaRoundTrip, ApplyThenRetrieveShowsWhatWasAppliedAndPacketsFollowTheNewLayout) {
    OnTheHead b;
    test::ChooseHead(b.m, 3, 4, 0, 1, 0, 1);
    b.m.Command4.Click();
    b.Scramble();
    b.program.pump.RunFor(3);
    b.steps.clear();
    b.m.Command12.Click();
    EXPECT_TRUE(b.Messages().empty());
    EXPECT_EQ(b.Frame(), (std::vector<std::string>{"Fluorometer", "No Sensor!", "Blue", "dbars",
                                                   "Aux Analog 11", "Aux Analog 20"}));
    EXPECT_EQ(b.m.Command28.Caption(), "Firmware : VSF 1.02");
    EXPECT_EQ(b.steps, (std::vector<double>{15, 30, 45, 60, 75, 80, 85, 90, 93, 95, 100, 0}));
    EXPECT_EQ(b.device->Received().substr(b.device->Received().size() - 6), "stopDR");

    // "R" set the head running again, with the new header.
    b.m.triarcvsa.Click();
    b.program.pump.RunFor(3);
    // Blue after the fluorometer, no green or red, Aux 1 on.
    EXPECT_EQ(b.m.Label14.Caption() + "|" + b.m.Label15.Caption() + "|" + b.m.Label20.Caption() +
                  "|" + b.m.Label28.Caption(),
              "3|0|0|10");
    EXPECT_EQ(b.program.ctx.state.TriaFluorColumn, 2);
    EXPECT_EQ(b.program.ctx.state.TriaHasAux1, 1);
    EXPECT_EQ(b.m.MSFlexGrid1.Cell(10, 0), "Fluor");
    EXPECT_FALSE(b.m.MSFlexGrid1.Cell(1, 1).empty());
}

TEST(TriaRoundTrip, ALockedHeadIsToldOfAndTheSlotsItDidNotTakeAreNamed) {
    OnTheHead b;
    b.m.Command13.Click();
    test::ChooseHead(b.m, 2, 2, 2, 1, 1, 4);
    b.m.Command4.Click();
    // The frame shows what the head kept, and the box names each setting it did not take.
    EXPECT_EQ(b.Frame(), (std::vector<std::string>{"Blue", "Green", "Red", "PSI", "Aux Analog 10",
                                                   "Aux Analog 20"}));
    EXPECT_EQ(
        b.Messages(),
        (Lines{
            "TRIA Setup: The head answered the lock command: Settings locked",
            "TRIA Setup: The head did not take: slot 1 (Red sent, Blue kept); slot 2 (Red sent, "
            "Green kept); "
            "pressure output (Volts sent, PSI kept); Aux Analog 1 (on sent, off kept); Aux Analog "
            "2 (on sent, off kept). The frame shows what the head keeps. A locked head takes "
            "nothing until its power is cycled."}));
    EXPECT_TRUE(b.device->Streaming());
    b.device->PowerOff(b.program.pump.Seconds());
    b.device->PowerOn(b.program.pump.Seconds());
    b.program.pump.RunFor(2);
    test::ChooseHead(b.m, 2, 2, 2, 1, 1, 4);
    b.m.Command4.Click();
    b.Scramble();
    b.m.Command12.Click();
    EXPECT_EQ(b.Frame(), (std::vector<std::string>{"Red", "Red", "Red", "Volts", "Aux Analog 11",
                                                   "Aux Analog 21"}));
    ASSERT_EQ(b.Messages().size(), 2u);
    // The last listing is still in List2; a silent head must not be read from it, and is
    // told to run again.
    b.device->PowerOff(b.program.pump.Seconds());
    b.Scramble();
    const std::vector<std::string> scrambled = b.Frame();
    const size_t sent = b.device->Received().size();
    b.m.Command12.Click();
    EXPECT_EQ(b.Frame(), scrambled);
    EXPECT_EQ(b.Messages().back(),
              "TRIA Setup: The head's listing is incomplete: line 16 of 16 is missing or too "
              "short. The head "
              "did not list its settings: check that it is powered and connected, then retrieve "
              "again. The frame was left as it was. The head was told to run again (\"R\").");
    EXPECT_EQ(b.device->Received().substr(sent), "stopDR");
    EXPECT_EQ(b.m.ProgressBar2.Value(), 0);
}

TEST(TriaRetrieve, DataStillStreamingIsNotReadAsAListing) {
    OnAFeed b;
    // A backlog of measurements arrives during the waits.
    for (int i = 0; i < 40; ++i)
        b.device->Feed(std::string(sim::kTriaHeader) + "\t12:00:00\t1\t2\t3\t4\t5\t6\t7\t8\r\n");
    b.m.Command12.Click();
    EXPECT_TRUE(test::OneMessageWith(b.program, "TRIA Setup: The head sent measurements"));
    EXPECT_EQ(b.m.Combo1.Text(), "Sensor 1");
}

}  // namespace
}  // namespace zan
