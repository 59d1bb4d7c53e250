#pragma once
#include <functional>
#include <string>

#include "sim/command_reader.h"
#include "sim/logger_model.h"
#include "sim/sensor_model.h"
#include "sim/sensor_quirks.h"
#include "virtual/virtual_port.h"

namespace zan::sim {

// A sensor at the far end of the serial line. It streams one measurement a
// second at the pace a 9600-baud line allows, wakes on a DTR pulse with its
// firmware line, and reads what it is sent as its model's commands
// (CommandReader). A VSF or DFL obeys the console commands: "C"/"c" stop it
// at a prompt, "r" runs it again, "o" prints its stored data set; it also
// carries a data logger (LoggerModel) that takes the settings commands, and
// at a prompt "C" prints the logger's clock instead. The TRIA head stops at
// a prompt on "stop", lists its configuration on "D" at the prompt, takes
// the set-up commands ("STOPc1" with a slot letter, "c2", "c3", "CA1",
// "CB0", "CPD", ...), runs on "r" or "R", and after "STOPSYR" ignores
// set-up commands until its power is cycled.
class SimulatedSensor : public Device {
  public:
    enum class Behaviour {
        Answering,               // answers DTR pulses
        SilentUntilPowerCycled,  // prints nothing and ignores DTR until powered off and on again
        Absent                   // nothing is connected
    };

    explicit SimulatedSensor(SensorModel model, Behaviour behaviour = Behaviour::Answering,
                             SensorQuirks quirks = {});

    void OnWrite(const std::string& text, double now) override;
    void OnDtr(bool on, double now) override;
    std::string Produce(double now) override;
    std::string Describe() const override;

    // The user switches the sensor's power.
    void PowerOff(double now);
    void PowerOn(double now);

    SensorModel Model() const { return model_; }
    bool Streaming() const { return streaming_; }
    // When the sensor next has a character to send: the queued text's time,
    // else the next measurement's while it streams, else never (infinity).
    double NextOutputTime() const;
    // Everything the program wrote to the sensor.
    const std::string& Received() const { return received_; }
    // The data logger of a VSF or DFL: its settings, clock and quirks.
    LoggerModel& Logger() { return logger_; }
    // The TRIA head's configuration and lock.
    HeadConfig& Head() { return generator_.head; }
    bool HeadLocked() const { return headLocked_; }
    // The sensor prints text, paced by the line speed, with its own line ends.
    void Print(const std::string& text, double now);
    const SensorQuirks& Quirks() const { return quirks_; }

    // Characters a second on a 9600-baud 8N1 line.
    static constexpr double kCharsPerSecond = 960.0;
    static constexpr int kStoredLines = 12;

  private:
    // An answer to a command or to the wake-up, as the quirks shape it.
    void Reply(const std::string& text, double now);
    void Wake(double now);
    void StopAtPrompt(double now);
    void Command(char c, double now);
    void HeadCommand(const std::string& word, double now);
    void Run(double now);
    void GenerateUpTo(double now);
    void LoggerCommand(char c, double now);

    SensorModel model_;
    Behaviour behaviour_;
    SensorQuirks quirks_;
    LineGenerator generator_;
    LoggerModel logger_;
    CommandReader reader_;
    bool powered_ = true;
    bool streaming_ = true;
    bool dtr_ = false;
    bool headLocked_ = false;
    double nextLineTime_ = 0;
    double headTime_ = 0;
    std::string queue_;
    std::string received_;
};

}  // namespace zan::sim
