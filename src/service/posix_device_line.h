#pragma once
#include <string>
#include <vector>

#include "ports/device_line.h"
#include "ports/port_map.h"
#include "ports/serial_devices.h"

namespace zan {

struct LogConfig;

// The machine's serial devices as the system's device tree (sysRoot, "/sys"
// on a running system) lists them, each with its USB serial number and its
// stable name, so an adapter is found again under a new device name.
std::vector<SerialDevice> ListSystemSerialDevices(const std::string& sysRoot = "/sys");

// Port 1 bound to the configured adapter: its stable name, its USB serial
// number, or the name while it exists and the serial number otherwise.
PortMap AdapterPortMap(const LogConfig& config);

// A serial device through the system's terminal interface, at 9600 baud,
// 8N1, raw, without flow control. Reads never block; a hang-up or an error on
// the line is a lost port.
class PosixDeviceLine : public DeviceLine {
  public:
    PosixDeviceLine() = default;
    ~PosixDeviceLine() override;
    PosixDeviceLine(const PosixDeviceLine&) = delete;
    PosixDeviceLine& operator=(const PosixDeviceLine&) = delete;

    // The open line's descriptor, for a loop that sleeps until input; -1 when closed.
    int Descriptor() const { return fd_; }

    void Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override { return fd_ >= 0; }
    void Write(const std::string& text) override;
    std::string Read(int maxChars) override;
    int CharsWaiting() override;
    bool MayHaveInput() override { return true; }
    // A pseudo-terminal has no modem lines: there the pulse does nothing.
    void SetDtr(bool on) override;

  private:
    [[noreturn]] void Lost(const std::string& what);
    std::string path_;
    int fd_ = -1;
};

}  // namespace zan
