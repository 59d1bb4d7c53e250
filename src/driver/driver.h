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

// Runs the program on virtual time and carries out one text command per line,
// printing what it is asked to show. Message boxes are printed as they open.
class Driver {
  public:
    explicit Driver(std::ostream& out);
    // Carries out one command line; returns false for an unknown or failed command
    // (the reason is printed).
    bool Execute(const std::string& line);
    // Runs every line of the input; returns the number of failed commands.
    int Run(std::istream& in);

    VirtualProgram& Program() { return program_; }

  private:
    bool Dispatch(const std::vector<std::string>& words, const std::string& rest);
    Control& Find(const std::string& name) const;
    void Attach(const std::vector<std::string>& words);
    void Set(Control& control, const std::string& value);
    void Print(const Control& control);
    void PrintState(const std::string& name);
    sim::SimulatedSensor& Sensor(const std::string& portWord);

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
