#pragma once
#include <string>

#include "virtual/virtual_port.h"

namespace zan::sim {

// A device outside the program on a terminal: a serial device, or a
// pseudo-terminal whose other side a peer in any language holds to play the
// sensor. What the program writes goes to the terminal as it is written;
// what the terminal delivers is the device's output. The terminal is opened
// with the port, at 9600 baud 8N1 and raw. A terminal that hangs up is a
// lost line (PortLostError).
class TtyDevice : public Device {
  public:
    explicit TtyDevice(std::string path) : path_(std::move(path)) {}
    ~TtyDevice() override;
    TtyDevice(const TtyDevice&) = delete;
    TtyDevice& operator=(const TtyDevice&) = delete;

    // Throws PortError with the system's description when it cannot be opened.
    void OnOpen(double now) override;
    void OnClose(double now) override;
    void OnWrite(const std::string& text, double now) override;
    // Drives DTR where the terminal has one; a pseudo-terminal has none.
    void OnDtr(bool on, double now) override;
    std::string Produce(double now) override;
    std::string Describe() const override { return path_; }

  private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace zan::sim
