#pragma once
#include <string>

#include "platform/serial_port.h"

namespace zan {

// The adapter an unattended run records from: by its stable device name
// (/dev/serial/by-id/...), by its USB serial number, or by the name while it
// exists and the serial number otherwise, so an adapter that comes back
// under another device name is found again.
struct AdapterName {
    std::string path;
    std::string usbSerial;
};

// The device to open for the adapter now, looking the serial number up in
// the system's device tree (sysRoot, "/sys" on a running system); empty when
// it is not there.
std::string FindAdapter(const AdapterName& adapter, const std::string& sysRoot = "/sys");

// A serial line through the system's terminal interface, at 9600 baud, 8N1,
// raw, without flow control. Every port number means the one adapter. Reads
// never block; a hang-up or an error on the line is a lost port.
class PosixSerialPort : public SerialPort {
  public:
    explicit PosixSerialPort(AdapterName adapter, std::string sysRoot = "/sys");
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    // The open line's descriptor, for a loop that sleeps until input; -1 when closed.
    int Descriptor() const { return fd_; }

    void Open(int portNumber) override;
    void Close() override;
    bool IsOpen() const override { return fd_ >= 0; }
    void Write(const std::string& text) override;
    std::string Read(int maxChars) override;
    int CharsWaiting() override;
    // A pseudo-terminal has no modem lines: there the pulse does nothing.
    void SetDtr(bool on) override;
    std::string Describe(int portNumber) const override;

  private:
    [[noreturn]] void Lost(const std::string& what);
    AdapterName adapter_;
    std::string sysRoot_;
    std::string device_;
    int fd_ = -1;
};

}  // namespace zan
