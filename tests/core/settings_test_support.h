#pragma once
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "sim/simulated_sensor.h"
#include "virtual/virtual_program.h"

namespace zan::test {

// A sensor that answers each command letter with a fixed text, for replies
// the simulator would never print.
class ScriptedLogger : public Device {
  public:
    std::map<char, std::string> replies;
    void OnWrite(const std::string& text, double) override {
        written += text;
        for (char c : text)
            if (auto it = replies.find(c); it != replies.end()) pending_ += it->second;
    }
    std::string Produce(double) override { return std::exchange(pending_, {}); }
    std::string Describe() const override { return "scripted logger"; }
    std::string written;

  private:
    std::string pending_;
};

// The settings frame in one line: check boxes (Auto Start, Log Enabled, Wake Up, Append),
// smoothing, block delay, block length, interval, then the date and time boxes.
inline std::string Frame(const MainForm& m) {
    std::ostringstream out;
    out << m.Check7.Value() << m.Check1.Value() << m.Check2.Value() << m.Check6.Value() << " S"
        << m.Slider1.Value() << " D" << m.Text2.Text() << " Q" << m.Text3.Text() << " I"
        << m.Text4.Text() << " " << m.Text1.Text() << "/" << m.Text6.Text() << "/" << m.Text7.Text()
        << " " << m.Text5.Text() << ":" << m.Text8.Text() << ":" << m.Text48.Text();
    return out.str();
}

// Types the texts into the boxes, in order.
inline void TypeInto(std::initializer_list<TextBox*> boxes,
                     std::initializer_list<const char*> texts) {
    auto text = texts.begin();
    for (TextBox* box : boxes) box->SetText(*text++);
}

// Chooses the head's slots and pressure output by list position, and its auxiliary boxes' values.
inline void ChooseHead(MainForm& m, int slot1, int slot2, int slot3, int aux1, int aux2,
                       int pressure) {
    m.Combo1.SetListIndex(slot1);
    m.Combo2.SetListIndex(slot2);
    m.Combo3.SetListIndex(slot3);
    m.Check5.SetValue(aux1);
    m.Check8.SetValue(aux2);
    m.Combo4.SetListIndex(pressure);
}

// A loaded program with a VSF on port 1 (or the given device), port open.
struct SettingsBench {
    explicit SettingsBench(std::shared_ptr<Device> device = nullptr,
                           sim::SensorModel model = sim::SensorModel::Vsf) {
        if (!device) {
            sensor = std::make_shared<sim::SimulatedSensor>(model);
            device = sensor;
        }
        program.port.Attach(1, device);
        program.Load();
        (model == sim::SensorModel::Dfl ? m.inst4 : m.inst2).Click();
        m.op1.Click();
        program.pump.RunFor(2);
    }
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    std::shared_ptr<sim::SimulatedSensor> sensor;
};

}  // namespace zan::test
