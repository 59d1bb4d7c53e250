#pragma once
#include <QSerialPort>

#include "platform/serial_port.h"
#include "ui/port_map.h"

namespace zan::ui {

// The program's one serial port over QSerialPort, at 9600 baud 8N1. One port
// number can be handed to a simulated sensor instead of a device.
class QtSerialPort : public SerialPort {
  public:
    explicit QtSerialPort(PortMap map);
    // Port n is served by the given port (a virtual port with a simulated sensor).
    void Simulate(int portNumber, SerialPort& simulated);
    const PortMap& Map() const { return map_; }
    // New bindings take effect at the next open; an open port stays open.
    void SetMap(PortMap map) { map_ = std::move(map); }

    void Open(int portNumber) override;
    void Close() override;
    bool IsOpen() const override;
    void Write(const std::string& text) override;
    std::string Read(int maxChars) override;
    int CharsWaiting() override;
    bool MayHaveInput() override;
    void SetDtr(bool on) override;
    std::string Describe(int portNumber) const override;

  private:
    // Takes in what arrived since the last dispatch, for the callers that
    // watch the port without dispatching events.
    void Collect();
    // A device that is gone closes the port and throws PortLostError. Gone
    // means any of: a hang-up or error on the line, a read error or a lost
    // resource reported by Qt, or a readable line with nothing to read.
    void ThrowIfLost();
    std::string WhyLost();
    PortMap map_;
    QSerialPort device_;
    SerialPort* simulated_ = nullptr;
    int simulatedNumber_ = 0;
    bool usingSimulated_ = false;
    // The read error Qt reported since the port was opened, if any.
    std::string readFailure_;
    // The device opened last, when it is not the bound name (found again by
    // its serial number under another name).
    std::string foundAs_;
    int foundNumber_ = 0;
};

}  // namespace zan::ui
