#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/settings_test_support.h"
#include "core/test_support.h"
#include "sim/simulated_sensor.h"

namespace zan {
namespace {

using sim::SensorModel;
using sim::SensorQuirks;
using sim::SimulatedSensor;
using Behaviour = SimulatedSensor::Behaviour;

// One way a sensor on a real line differs from the plain simulator.
struct Variation {
    const char* name;
    std::function<void(SensorQuirks&)> shape;
    Behaviour behaviour = Behaviour::Answering;
    double pullLineAfter = -1;  // seconds after the click; -1 keeps the line
};

// A shape of the head's listing: whether it starts with a line end, the lines
// before its firmware line and after its last auxiliary line, and whether the
// prompt has a line end of its own.
std::function<void(SensorQuirks&)> Listing(bool leadingLineEnd, int before, int after,
                                           bool promptLineEnd = false) {
    return [=](SensorQuirks& q) {
        q.listingLeadingLineEnd = leadingLineEnd;
        q.listingLinesBefore = before;
        q.listingLinesAfter = after;
        q.promptLineEnd = promptLineEnd;
    };
}

const std::vector<Variation>& Variations() {
    static const std::vector<Variation> all = {
        {"plain", [](SensorQuirks&) {}},
        {"prompt with line end", [](SensorQuirks& q) { q.promptLineEnd = true; }},
        {"listing runs on from the prompt", Listing(false, 2, 1)},
        {"listing of 16 lines", Listing(false, 0, 1)},
        {"listing of 24 lines", Listing(true, 4, 5)},
        {"listing of 15 lines", Listing(true, 0, 0)},
        {"listing of 18 lines run on, prompt with line end", Listing(false, 0, 3, true)},
        {"CR line ends", [](SensorQuirks& q) { q.lineEnd = SensorQuirks::LineEnd::Cr; }},
        {"LF line ends", [](SensorQuirks& q) { q.lineEnd = SensorQuirks::LineEnd::Lf; }},
        {"bytes 3 ms apart", [](SensorQuirks& q) { q.characterGap = 0.003; }},
        {"bytes 9 ms apart", [](SensorQuirks& q) { q.characterGap = 0.009; }},
        {"noise line first", [](SensorQuirks& q) { q.beforeReply = "#~\x7f~#\r\n"; }},
        {"partial line first", [](SensorQuirks& q) { q.beforeReply = "12:00:0"; }},
        {"head locked for good", [](SensorQuirks& q) { q.lockedForGood = true; }},
        {"answers 0.3 s late", [](SensorQuirks& q) { q.answerDelay = 0.3; }},
        {"no answer", [](SensorQuirks&) {}, Behaviour::Absent},
        {"line lost mid-exchange", [](SensorQuirks&) {}, Behaviour::Answering, 0.7},
        {"line lost sooner", [](SensorQuirks&) {}, Behaviour::Answering, 0.5},
    };
    return all;
}

// A program with the sensor on port 1, its instrument chosen and the port open.
struct Bench {
    Bench(SensorModel model, const Variation& variation) {
        SensorQuirks quirks;
        variation.shape(quirks);
        sensor = std::make_shared<SimulatedSensor>(model, variation.behaviour, quirks);
        program.port.Attach(1, sensor);
        program.Load();
        (model == SensorModel::Tria ? m.inst6 : m.inst2).Click();
        m.op1.Click();
        // The user answers the power-cycle prompts by switching the sensor off and on.
        program.dialogs.onMessage = [this](const ScriptedDialogs::Message& message) {
            if (message.text.find("power off") != std::string::npos)
                sensor->PowerOff(program.pump.Seconds());
            if (message.text.find("power on") != std::string::npos)
                sensor->PowerOn(program.pump.Seconds());
        };
        program.pump.RunFor(2.5);
        if (variation.pullLineAfter > 0)
            program.pump.AddTimer(variation.pullLineAfter, [this] {
                if (!pulled) program.port.DropLine();
                pulled = true;
            });
    }
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    std::shared_ptr<SimulatedSensor> sensor;
    bool pulled = false;
    int entriesBefore = 0;
};

// An exchange: the model it meets, what the user sets up and clicks, and
// whether the sensor ended as the user asked.
struct ExchangeCase {
    const char* name;
    SensorModel model;
    std::function<void(Bench&)> run;
    std::function<bool(Bench&)> done;
};

void ChooseDate(MainForm& m) {
    m.mdy.Click();
    test::TypeInto({&m.Text1, &m.Text6, &m.Text7, &m.Text5, &m.Text8, &m.Text2, &m.Text3, &m.Text4},
                   {"7", "4", "2026", "9", "05", "2", "100", "60"});
    m.Slider1.SetValue(40);
}

const std::vector<ExchangeCase>& Exchanges() {
    static const std::vector<ExchangeCase> all = {
        {"Retrieve Settings", SensorModel::Vsf, [](Bench& b) { b.m.Command3.Click(); },
         [](Bench& b) {
             return b.m.Slider1.Value() == 25 && b.m.Label3.Caption() == "8192" &&
                    b.m.Text5.Text() == "12";
         }},
        {"Apply Settings", SensorModel::Vsf,
         [](Bench& b) {
             ChooseDate(b.m);
             b.m.Command2.Click();
         },
         [](Bench& b) {
             const sim::LoggerModel& l = b.sensor->Logger();
             return l.smoothing == 40 && l.blockLength == 100 && l.measurementDelay == 60 &&
                    l.ClockLine(b.program.pump.Seconds()).rfind("07/04/26\t", 0) == 0;
         }},
        {"Firmware query", SensorModel::Vsf, [](Bench& b) { b.m.Command28.Click(); },
         [](Bench& b) { return b.m.Command28.Caption() == "Firmware: VSF VSF 1.02"; }},
        {"Interrupt Auto Start", SensorModel::Vsf, [](Bench& b) { b.m.Command27.Click(); },
         [](Bench& b) {
             const auto& shown = b.program.dialogs.Messages();
             return !shown.empty() && shown.back().title == "Zan Sensor Ready" &&
                    !b.sensor->Streaming();
         }},
        {"Download", SensorModel::Vsf,
         [](Bench& b) {
             b.m.Command27.Click();
             b.entriesBefore = b.m.List1.Count();
             b.m.ddfe.Click();
             b.program.pump.RunFor(6);
         },
         [](Bench& b) {
             return b.m.List1.Count() >= b.entriesBefore + SimulatedSensor::kStoredLines;
         }},
        {"Run", SensorModel::Vsf,
         [](Bench& b) {
             b.m.Command27.Click();
             b.m.Command5_0.Click();
             b.program.pump.RunFor(1);
         },
         [](Bench& b) { return b.sensor->Streaming(); }},
        {"TRIA Retrieve", SensorModel::Tria,
         [](Bench& b) {
             b.sensor->Head() = sim::HeadConfig{{'F', 'N', 'G'}, 'D', true, false};
             b.m.Command12.Click();
         },
         [](Bench& b) {
             return b.m.Combo1.Text() + b.m.Combo2.Text() + b.m.Combo3.Text() + b.m.Combo4.Text() ==
                        "FluorometerNo Sensor!Greendbars" &&
                    b.m.Check5.Value() == 1 && b.m.Check8.Value() == 0 &&
                    b.m.Command28.Caption() == "Firmware : VSF 1.02" && b.sensor->Streaming();
         }},
        {"TRIA Apply", SensorModel::Tria,
         [](Bench& b) {
             test::ChooseHead(b.m, 2, 3, 4, 1, 1, 0);
             b.m.Command4.Click();
         },
         [](Bench& b) {
             const sim::HeadConfig& h = b.sensor->Head();
             return h.sensors == std::array<char, 3>{'R', 'F', 'N'} && h.pressure == 'A' &&
                    h.aux1 && h.aux2 && b.sensor->Streaming();
         }},
        {"TRIA Lock", SensorModel::Tria, [](Bench& b) { b.m.Command13.Click(); },
         [](Bench& b) { return b.sensor->HeadLocked() && b.sensor->Streaming(); }},
    };
    return all;
}

// Runs the exchange against the variation: "done" when the sensor ended as
// asked and nothing was said; otherwise the boxes that told the user, as
// "title: first words". The boxes that walk the user through a power cycle are
// part of an exchange, not its outcome. " BUSY" follows when the program was
// left in the exchange or with no retrieve button enabled.
std::string Outcome(const ExchangeCase& exchange, const Variation& variation) {
    Bench b(exchange.model, variation);
    exchange.run(b);
    b.program.pump.RunFor(1);
    std::string told;
    for (const auto& message : b.program.dialogs.Messages()) {
        if (message.text.find("power o") != std::string::npos ||
            message.title == "Zan Sensor Ready")
            continue;
        told += (told.empty() ? "" : " + ") + message.title + ": " + message.text.substr(0, 40);
    }
    const bool done = exchange.done(b);
    const bool idle =
        !b.program.ctx.exchangeRunning && (b.m.Command3.Enabled() || b.m.Command12.Enabled());
    const std::string busy = idle ? "" : " BUSY";
    if (done && told.empty()) return "done" + busy;
    return (done ? "done, " : "") + (told.empty() ? std::string("SILENT") : told) + busy;
}

// What each exchange comes to with each variation, where it is not "done"
// (the sensor ended as asked and nothing was said): the one box that told
// the user, by its title and first words. "SILENT" marks what the program
// cannot tell from success.
const std::map<std::pair<std::string, std::string>, std::string>& Told() {
    const std::string conflict = "Conflict: Unable to Get Settings. Check and make s";
    const std::string lost = "Error: Port 1 (simulated VSF) was lost: the ser";
    const std::string headLost = "Error: Port 1 (simulated TRIA) was lost: the se";
    const std::string notResponding =
        "Zan Sensor Not Responding: Zan Sensor did not respond. Please check";
    const std::string cutOff = "TRIA Setup: The head's listing is incomplete: line ";
    const std::string notListed = "TRIA Setup: The settings were sent, but the head did";
    const std::string locked = "done, TRIA Setup: The head answered the lock command: ";
    static const auto told = [&] {
        std::map<std::pair<std::string, std::string>, std::string> all = {
            {{"Retrieve Settings", "CR line ends"}, conflict},
            {{"Retrieve Settings", "bytes 9 ms apart"},
             "Error: The settings reply is incomplete: line 6"},
            {{"Retrieve Settings", "partial line first"}, conflict},
            {{"Retrieve Settings", "no answer"}, conflict},
            {{"Retrieve Settings", "line lost mid-exchange"}, lost},
            {{"Apply Settings", "no answer"},
             "Please Check: The instrument did not answer the first "},
            {{"Apply Settings", "line lost mid-exchange"}, lost},
            {{"Firmware query", "partial line first"}, "SILENT"},
            {{"Firmware query", "no answer"}, "Firmware: Zan Sensor sent no firmware line after i"},
            {{"Firmware query", "line lost mid-exchange"}, "done, " + lost},
            {{"Interrupt Auto Start", "no answer"}, notResponding},
            {{"Interrupt Auto Start", "line lost mid-exchange"}, lost},
            {{"Download", "CR line ends"}, "SILENT"},
            {{"Download", "no answer"}, notResponding},
            {{"Download", "line lost mid-exchange"}, lost},
            {{"Run", "no answer"}, notResponding},
            {{"Run", "line lost mid-exchange"}, "done, " + lost},
            {{"TRIA Retrieve", "CR line ends"}, cutOff + "1"},
            {{"TRIA Retrieve", "bytes 9 ms apart"}, cutOff + "4"},
            {{"TRIA Retrieve", "no answer"}, cutOff + "1"},
            {{"TRIA Retrieve", "line lost mid-exchange"}, headLost},
            {{"TRIA Apply", "CR line ends"}, "done, " + notListed},
            {{"TRIA Apply", "bytes 9 ms apart"}, "done, " + notListed},
            {{"TRIA Apply", "head locked for good"},
             "TRIA Setup: The head did not take: slot 1 (Red sent,"},
            {{"TRIA Apply", "no answer"}, notListed},
            {{"TRIA Apply", "line lost mid-exchange"}, headLost},
            {{"TRIA Lock", "CR line ends"},
             "done, TRIA Setup: The head gave no answer this program cou"},
            {{"TRIA Lock", "noise line first"}, locked + "#~~#"},
            {{"TRIA Lock", "partial line first"}, locked + "12:0"},
            {{"TRIA Lock", "no answer"}, "TRIA Setup: The head gave no answer this program cou"},
            {{"TRIA Lock", "line lost mid-exchange"}, "done, " + headLost},
        };
        // Lost sooner, an exchange ends as when lost later, but the firmware line has not come.
        for (const ExchangeCase& e : Exchanges())
            all[{e.name, "line lost sooner"}] = all[{e.name, "line lost mid-exchange"}];
        all[{"Firmware query", "line lost sooner"}] = lost;
        return all;
    }();
    return told;
}

// Every exchange against every variation it can meet (the listing shapes
// and the lock only reach the head's exchanges, where they are told apart);
// the line is lost at two moments, and either way the loss is the one box.
TEST(SensorVariations, EachExchangeEndsAsItsTableSaysAndTellsAFailureOnce) {
    for (const ExchangeCase& exchange : Exchanges())
        for (const Variation& variation : Variations()) {
            const auto it = Told().find({exchange.name, variation.name});
            std::string expected = it == Told().end() ? "done" : it->second;
            if (std::string(exchange.name) == "TRIA Lock" && it == Told().end())
                expected = "done, TRIA Setup: The head answered the lock command: Sett";
            EXPECT_EQ(Outcome(exchange, variation), expected)
                << exchange.name << " / " << variation.name;
        }
}

// Random mixes of the quirks a line can carry, with fixed seeds: every
// exchange either ends as asked without a word or tells the user once.
TEST(SensorVariations, RandomMixesEndDoneOrToldOnce) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&random](int n) {
            return static_cast<int>(random() % static_cast<unsigned>(n));
        };
        const Variation mix{"mix", [&](SensorQuirks& q) {
                                q.lineEnd = pick(2) ? SensorQuirks::LineEnd::CrLf
                                                    : SensorQuirks::LineEnd::Lf;
                                q.promptLineEnd = pick(2);
                                q.listingLeadingLineEnd = pick(2);
                                q.listingLinesBefore = pick(4);
                                q.listingLinesAfter = pick(4);
                                q.characterGap = pick(5) * 0.001;
                                q.beforeReply = pick(2) ? "" : "#~#\r\n";
                                q.answerDelay = pick(4) * 0.1;
                            }};
        for (const ExchangeCase& exchange : Exchanges()) {
            const std::string outcome = Outcome(exchange, mix);
            for (const char* wrong : {" + ", "SILENT", " BUSY"})
                EXPECT_EQ(outcome.find(wrong), std::string::npos) << seed << " " << exchange.name;
        }
    }
}

}  // namespace
}  // namespace zan
