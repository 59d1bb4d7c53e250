#pragma once
#include <map>
#include <memory>
#include <string>

#include "platform/event_pump.h"
#include "platform/serial_port.h"

namespace zan {

// Something at the far end of a virtual serial line: a simulated sensor or a
// scripted feed. Time is the pump's monotonic seconds.
class Device {
  public:
    virtual ~Device() = default;
    // May throw PortError (the port stays closed).
    virtual void OnOpen(double /*now*/) {}
    virtual void OnClose(double /*now*/) {}
    virtual void OnWrite(const std::string& /*text*/, double /*now*/) {}
    virtual void OnDtr(bool /*on*/, double /*now*/) {}
    // Characters the device has sent up to the given time and not yet handed
    // over. A device that went away throws PortLostError (also from OnWrite).
    virtual std::string Produce(double now) = 0;
    virtual std::string Describe() const = 0;
};

// A device whose output the test writes directly.
class FeedDevice : public Device {
  public:
    void Feed(const std::string& text) { pending_ += text; }
    std::string Produce(double) override;
    std::string Describe() const override { return "scripted feed"; }
    // Everything the program wrote to this device.
    const std::string& Written() const { return written_; }
    void OnWrite(const std::string& text, double) override { written_ += text; }
    bool Dtr() const { return dtr_; }
    void OnDtr(bool on, double) override { dtr_ = on; }

  private:
    std::string pending_;
    std::string written_;
    bool dtr_ = false;
};

// The serial port over virtual devices, with scripted faults: a failing open,
// failing writes, a dropped line.
class VirtualPort : public SerialPort {
  public:
    explicit VirtualPort(EventPump& pump) : pump_(pump) {}
    void Attach(int portNumber, std::shared_ptr<Device> device);
    Device* DeviceAt(int portNumber) const;

    void Open(int portNumber) override;
    void Close() override;
    bool IsOpen() const override { return open_ != 0; }
    void Write(const std::string& text) override;
    std::string Read(int maxChars) override;
    int CharsWaiting() override;
    void SetDtr(bool on) override;
    std::string Describe(int portNumber) const override;

    void FailNextOpen(const std::string& description) { openFailure_ = description; }
    void FailWrites(const std::string& description) { writeFailure_ = description; }
    // The adapter is unplugged: the next read or write of the open port
    // closes it and fails, and the port cannot be opened again until the
    // adapter is plugged back in.
    void DropLine();
    void Replug() { unplugged_ = 0; }
    int OpenPortNumber() const { return open_; }
    bool Dtr() const { return dtr_; }

  private:
    void Collect();
    void ThrowIfDropped();
    EventPump& pump_;
    std::map<int, std::shared_ptr<Device>> devices_;
    int open_ = 0;
    bool dtr_ = false;
    bool dropped_ = false;
    int unplugged_ = 0;
    std::string buffer_;
    std::string openFailure_;
    std::string writeFailure_;
};

}  // namespace zan
