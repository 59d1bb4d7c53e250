#pragma once
#include <string>

namespace zan {

// A serial device opened by its path at 9600 baud, 8N1: all the core asks of
// a toolkit's serial support. Failures as SerialPort's (platform/serial_port.h).
class DeviceLine {
  public:
    virtual ~DeviceLine() = default;
    // Throws PortError with the system's description, naming the path.
    virtual void Open(const std::string& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual void Write(const std::string& text) = 0;
    virtual std::string Read(int maxChars) = 0;
    virtual int CharsWaiting() = 0;
    virtual bool MayHaveInput() = 0;
    virtual void SetDtr(bool on) = 0;
};

}  // namespace zan
