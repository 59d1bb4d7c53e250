#pragma once
#include <map>
#include <string>
#include <vector>

#include "ports/port_map.h"

namespace zan {

// One serial device of the machine and what identifies it, from whatever
// lists the devices (the window toolkit, a service's own scan, a test).
struct SerialDevice {
    std::string path;        // /dev/ttyUSB0
    std::string stableName;  // /dev/serial/by-id/usb-..., empty when the system gives none
    std::string vendor;      // USB vendor and product numbers as hex, "0403:6001"
    std::string manufacturer, product, serialNumber;
    // The name a binding keeps: the stable name when there is one.
    std::string BindingName() const { return stableName.empty() ? path : stableName; }
};

// The folder of stable device names, and its links keyed by the device each
// one points to.
inline constexpr const char* kStableNameFolder = "/dev/serial/by-id";
std::map<std::string, std::string> StableNames(const std::string& folder);

// The ports 1..kPortCount given to the devices in their default order.
PortMap PortMapFromDevices(const std::vector<SerialDevice>& devices);

// Whether a present device is the one bound under a name: it has that name
// (as its path or its stable name, or the name leads to it), or, under a new
// name, the same USB serial number.
bool IsBoundDevice(const std::string& boundName, const std::string& boundSerial,
                   const SerialDevice& device);

// Port n bound to a device: its binding name, and its USB serial number so
// the adapter is found again under another device name.
void BindPort(PortMap& map, int portNumber, const SerialDevice& device);
// The serial numbers of the bound devices that are present now, so that a
// port named by path is found again when it returns under another name.
void RecordSerialNumbers(PortMap& map, const std::vector<SerialDevice>& devices);
// The device to open for port n among the present devices: the bound name
// while it exists, otherwise the device with the bound serial number, and the
// bound name again when none is found (its opening then says why); empty
// when the port is unbound.
std::string DeviceToOpen(const PortMap& map, int portNumber,
                         const std::vector<SerialDevice>& devices);

// The per-user file of port bindings, ports.def next to zhost.def: one line
// per bound port, "N=PATH", then a tab and the USB serial number when known.
std::string PortBindingsPath(const std::string& preferencesPath);
std::string FormatPortBindings(const PortMap& map);
// Applies the bindings a file's text holds; lines that are not bindings are skipped.
void ApplyPortBindings(PortMap& map, const std::string& text);
// Reads the file when it exists; throws std::runtime_error naming it when it
// is there but is no binding file.
void LoadPortBindings(PortMap& map, const std::string& path);
// Throws std::runtime_error with the system's description.
void SavePortBindings(const PortMap& map, const std::string& path);

}  // namespace zan
