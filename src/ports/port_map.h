#pragma once
#include <map>
#include <string>
#include <vector>

namespace zan {

// The program numbers its serial ports 1..kPortCount (the Connection menu,
// the quick setup, def.zhl, --port).
inline constexpr int kPortCount = 4;
bool IsPortNumber(int number);

// Which device each port number means on this machine.
struct PortMap {
    std::map<int, std::string> paths;
    // The USB serial number of a bound adapter, where the system gave one.
    std::map<int, std::string> serials{};
};

// Serial device paths in a stable order: USB adapters first, then modem-class
// USB devices, then built-in ports, each in natural number order.
std::vector<std::string> OrderSerialDevices(std::vector<std::string> paths);
// Ports 1..kPortCount given to the first devices of that order.
PortMap PortMapFromDevices(const std::vector<std::string>& devices);
// The device a name given by the user means, as the serial port opens it: a
// bare name is in /dev ("ttyUSB0", "pts/3"), "./" and "../" start from the
// working folder, anything else is already a path.
std::string DevicePath(const std::string& name);
// Applies one "N=PATH" override, PATH taken as DevicePath reads it; returns an
// explanation when the text is not one.
std::string ApplyPortOverride(PortMap& map, const std::string& assignment);

}  // namespace zan
