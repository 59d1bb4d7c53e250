#pragma once
#include <functional>
#include <vector>

#include "platform/serial_port.h"
#include "ports/device_line.h"
#include "ports/serial_devices.h"

namespace zan {

// The program's port numbers over the machine's devices: opening port n
// opens the device its binding names, or the same adapter found again by its
// USB serial number under a new name.
class MappedPort : public SerialPort {
  public:
    using DeviceList = std::function<std::vector<SerialDevice>()>;
    // listDevices is asked only when a bound device is missing.
    MappedPort(DeviceLine& line, DeviceList listDevices, PortMap map);
    const PortMap& Map() const { return map_; }
    // New bindings take effect at the next open; an open port stays open.
    void SetMap(PortMap map) { map_ = std::move(map); }

    void Open(int portNumber) override;
    void Close() override { line_.Close(); }
    bool IsOpen() const override { return line_.IsOpen(); }
    void Write(const std::string& text) override { line_.Write(text); }
    std::string Read(int maxChars) override { return line_.Read(maxChars); }
    int CharsWaiting() override { return line_.CharsWaiting(); }
    bool MayHaveInput() override { return line_.MayHaveInput(); }
    void SetDtr(bool on) override { line_.SetDtr(on); }
    std::string Describe(int portNumber) const override;

  private:
    DeviceLine& line_;
    DeviceList listDevices_;
    PortMap map_;
    // The device opened last, when it is not the bound name (found again by
    // its serial number under another name).
    std::string foundAs_;
    int foundNumber_ = 0;
};

}  // namespace zan
