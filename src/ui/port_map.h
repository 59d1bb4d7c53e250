#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zan::ui {

// Which device each of the program's port numbers 1..4 means on this machine.
struct PortMap {
    std::map<int, std::string> paths;
};

// Serial device paths in a stable order: USB adapters first, then modem-class
// USB devices, then built-in ports, each in natural number order.
std::vector<std::string> OrderSerialDevices(std::vector<std::string> paths);
// Ports 1..4 given to the first four devices of that order.
PortMap PortMapFromDevices(const std::vector<std::string>& devices);
// The machine's serial devices as Qt sees them, ordered and numbered.
PortMap DefaultPortMap();
// Applies one "N=PATH" override; returns an explanation when the text is not one.
std::string ApplyPortOverride(PortMap& map, const std::string& assignment);
// The status bar's line: "Port 1: /dev/ttyUSB0   Port 2: ..." with each
// port as the given description names it.
std::string DescribePorts(const std::function<std::string(int)>& describe);

}  // namespace zan::ui
