#include "ports/serial_devices.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "core/user_file.h"
#include "core/user_file_writer.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

const UserFileLimits kBindingLimits{"port binding file", 64 * 1024};

std::string Canonical(const std::string& path) {
    std::error_code error;
    const fs::path real = fs::canonical(path, error);
    return error ? path : real.string();
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

}  // namespace

std::map<std::string, std::string> StableNames(const std::string& folder) {
    std::map<std::string, std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_symlink(error)) continue;
        names[Canonical(entry.path().string())] = entry.path().string();
    }
    return names;
}

PortMap PortMapFromDevices(const std::vector<SerialDevice>& devices) {
    std::vector<std::string> paths;
    for (const SerialDevice& device : devices) paths.push_back(device.path);
    return PortMapFromDevices(paths);
}

bool IsBoundDevice(const std::string& boundName, const std::string& boundSerial,
                   const SerialDevice& device) {
    if (boundName == device.path || (!device.stableName.empty() && boundName == device.stableName))
        return true;
    if (Exists(boundName) && Canonical(boundName) == Canonical(device.path)) return true;
    return !boundSerial.empty() && boundSerial == device.serialNumber;
}

void BindPort(PortMap& map, int portNumber, const SerialDevice& device) {
    map.paths[portNumber] = device.BindingName();
    if (device.serialNumber.empty())
        map.serials.erase(portNumber);
    else
        map.serials[portNumber] = device.serialNumber;
}

void RecordSerialNumbers(PortMap& map, const std::vector<SerialDevice>& devices) {
    for (const auto& [number, path] : map.paths)
        for (const SerialDevice& device : devices)
            if (IsBoundDevice(path, {}, device) && !device.serialNumber.empty())
                map.serials[number] = device.serialNumber;
}

std::string DeviceToOpen(const PortMap& map, int portNumber,
                         const std::vector<SerialDevice>& devices) {
    const auto path = map.paths.find(portNumber);
    if (path == map.paths.end()) return {};
    if (Exists(path->second)) return path->second;
    const auto serial = map.serials.find(portNumber);
    if (serial != map.serials.end())
        for (const SerialDevice& device : devices)
            if (IsBoundDevice(path->second, serial->second, device)) return device.path;
    return path->second;
}

std::string PortBindingsPath(const std::string& preferencesPath) {
    return (fs::path(preferencesPath).parent_path() / "ports.def").string();
}

std::string FormatPortBindings(const PortMap& map) {
    std::string text;
    for (const auto& [number, path] : map.paths) {
        text += std::to_string(number) + "=" + path;
        const auto serial = map.serials.find(number);
        if (serial != map.serials.end()) text += "\t" + serial->second;
        text += "\r\n";
    }
    return text;
}

void ApplyPortBindings(PortMap& map, const std::string& text) {
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t tab = line.find('\t');
        if (!ApplyPortOverride(map, line.substr(0, tab)).empty()) continue;
        const int number = line[0] - '0';
        if (tab == std::string::npos)
            map.serials.erase(number);
        else
            map.serials[number] = line.substr(tab + 1);
    }
}

void LoadPortBindings(PortMap& map, const std::string& path) {
    if (!Exists(path)) return;
    ApplyPortBindings(map, ReadUserTextFile(path, kBindingLimits));
}

void SavePortBindings(const PortMap& map, const std::string& path) {
    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    if (error) throw std::runtime_error(error.message() + ": " + path);
    WriteUserText(path, {"the port bindings file"}, FormatPortBindings(map));
}

}  // namespace zan
