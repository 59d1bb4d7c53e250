#include "ports/mapped_port.h"

#include <filesystem>
#include <system_error>

namespace zan {

MappedPort::MappedPort(DeviceLine& line, DeviceList listDevices, PortMap map)
    : line_(line), listDevices_(std::move(listDevices)), map_(std::move(map)) {}

void MappedPort::Open(int portNumber) {
    const auto bound = map_.paths.find(portNumber);
    if (bound == map_.paths.end())
        throw PortError("Port " + std::to_string(portNumber) +
                        " is not a serial device on this computer. Name one when starting the "
                        "program, such as --port " +
                        std::to_string(portNumber) + "=/dev/ttyUSB0.");
    std::error_code missing;
    std::string path = bound->second;
    if (!std::filesystem::exists(path, missing) && map_.serials.count(portNumber) && listDevices_)
        path = DeviceToOpen(map_, portNumber, listDevices_());
    line_.Open(path);
    foundAs_ = path == bound->second ? "" : path;
    foundNumber_ = portNumber;
}

std::string MappedPort::Describe(int portNumber) const {
    const auto bound = map_.paths.find(portNumber);
    if (bound == map_.paths.end()) return "no device";
    const bool found = portNumber == foundNumber_ && !foundAs_.empty() && IsOpen();
    return found ? bound->second + " (now " + foundAs_ + ")" : bound->second;
}

}  // namespace zan
