#pragma once
#include <QSerialPort>

#include "platform/serial_port.h"
#include "ports/device_line.h"

namespace zan::ui {

// A serial device over QSerialPort at 9600 baud 8N1, opened by its path.
class QtDeviceLine : public DeviceLine {
  public:
    QtDeviceLine();

    void Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override { return device_.isOpen(); }
    void Write(const std::string& text) override;
    std::string Read(int maxChars) override;
    int CharsWaiting() override;
    bool MayHaveInput() override;
    void SetDtr(bool on) override;

  private:
    // Takes in what arrived since the last dispatch, for the callers that
    // watch the port without dispatching events.
    void Collect();
    // A device that is gone closes the port and throws PortLostError. Gone
    // means any of: a hang-up or error on the line, a read error or a lost
    // resource reported by Qt, or a readable line with nothing to read.
    void ThrowIfLost();
    std::string WhyLost();
    QSerialPort device_;
    // The read error Qt reported since the port was opened, if any.
    std::string readFailure_;
};

}  // namespace zan::ui
