#include "ui/serial_devices.h"

#include <QSerialPortInfo>
#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

namespace zan::ui {
namespace {

std::string Canonical(const std::string& path) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(path, error);
    return error ? path : real.string();
}

std::string Hex4(quint16 value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

}  // namespace

std::vector<SerialDevice> ListSerialDevices() {
    const auto stable = StableNames(kStableNameFolder);
    std::vector<std::string> order;
    std::map<std::string, SerialDevice> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice device;
        device.path = info.systemLocation().toStdString();
        const auto name = stable.find(Canonical(device.path));
        if (name != stable.end()) device.stableName = name->second;
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            device.vendor = Hex4(info.vendorIdentifier()) + ":" + Hex4(info.productIdentifier());
        device.manufacturer = info.manufacturer().toStdString();
        device.product = info.description().toStdString();
        device.serialNumber = info.serialNumber().toStdString();
        order.push_back(device.path);
        found[device.path] = device;
    }
    std::vector<SerialDevice> devices;
    for (const std::string& path : OrderSerialDevices(order)) devices.push_back(found[path]);
    return devices;
}

}  // namespace zan::ui
