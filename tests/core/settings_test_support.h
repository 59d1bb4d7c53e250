#pragma once
#include <map>
#include <memory>
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
        if (model == sim::SensorModel::Dfl)
            m.inst4.Click();
        else
            m.inst2.Click();
        m.op1.Click();
        program.pump.RunFor(2);
    }
    VirtualProgram program;
    MainForm& m = program.ctx.main;
    std::shared_ptr<sim::SimulatedSensor> sensor;
};

}  // namespace zan::test
