#pragma once
#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "sim/simulated_sensor.h"
#include "virtual/virtual_program.h"

namespace zan {

// Where the driven program's ports lead and how its time runs.
struct DriverOptions {
    // Port numbers bound to terminals outside the program (a serial device,
    // or a pseudo-terminal a peer holds to play the sensor).
    std::map<int, std::string> devices;
    // Time runs on the monotonic clock, so a peer outside answers within the
    // program's waits; "wait" then waits in real time.
    bool realTime = false;
};

// Runs the program on virtual time (or real time) and carries out one text
// command per line, printing what it is asked to show. Message boxes are
// printed as they open.
class Driver {
  public:
    explicit Driver(std::ostream& out, const DriverOptions& options = {});
    // Carries out one command line; returns false for an unknown or failed command
    // (the reason is printed).
    bool Execute(const std::string& line);
    // Runs every line of the input; returns the number of failed commands.
    int Run(std::istream& in);

    VirtualProgram& Program() { return program_; }

  private:
    using Words = std::vector<std::string>;
    // One command of the script language: its least number of words (its
    // own included), its usage, and the member that carries it out.
    struct Command {
        size_t words;
        const char* usage;
        void (Driver::*run)(const Words& words, const std::string& line);
    };
    static const std::map<std::string, Command>& Commands();

    Control& Find(const std::string& name) const;
    sim::SimulatedSensor& Sensor(const std::string& portWord);
    void Print(const Control& control);

    void Load(const Words&, const std::string&);
    void Start(const Words&, const std::string&);
    void Attach(const Words& words, const std::string&);
    void Feed(const Words& words, const std::string& line);
    void Power(const Words& words, const std::string&);
    void Logger(const Words& words, const std::string&);
    void Head(const Words& words, const std::string&);
    void Unplug(const Words&, const std::string&);
    void Replug(const Words&, const std::string&);
    void Sent(const Words& words, const std::string&);
    void Click(const Words& words, const std::string&);
    void Set(const Words& words, const std::string& line);
    void Type(const Words& words, const std::string& line);
    void Key(const Words& words, const std::string&);
    void Blur(const Words& words, const std::string&);
    void Answer(const Words&, const std::string& line);
    void Cancel(const Words&, const std::string&);
    void Wait(const Words& words, const std::string&);
    void PrintCommand(const Words& words, const std::string&);
    void State(const Words& words, const std::string&);
    void Port(const Words& words, const std::string&);
    void Bytes(const Words&, const std::string& line);
    void Echo(const Words&, const std::string& line);

    std::ostream& out_;
    VirtualProgram program_;
    std::map<int, std::shared_ptr<sim::SimulatedSensor>> sensors_;
    std::map<int, std::shared_ptr<FeedDevice>> feeds_;
};

// Turns \t, \r, \n and \\ in a command's text into the characters they name.
std::string Unescape(const std::string& text);
// Shows control characters of a text as the same escapes.
std::string Escape(const std::string& text);

}  // namespace zan
