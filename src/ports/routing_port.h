#pragma once
#include <map>

#include "platform/serial_port.h"

namespace zan {

// Port numbers routed to ports of their own (a simulated sensor on port 1),
// every other number to the machine's devices. The port that opened serves
// every operation until it closes.
class RoutingPort : public SerialPort {
  public:
    explicit RoutingPort(SerialPort& devices) : devices_(devices) {}
    void Route(int portNumber, SerialPort& port) { routes_[portNumber] = &port; }

    void Open(int portNumber) override;
    void Close() override { current_->Close(); }
    bool IsOpen() const override { return current_->IsOpen(); }
    void Write(const std::string& text) override { current_->Write(text); }
    std::string Read(int maxChars) override { return current_->Read(maxChars); }
    int CharsWaiting() override { return current_->CharsWaiting(); }
    bool MayHaveInput() override { return current_->MayHaveInput(); }
    void SetDtr(bool on) override { current_->SetDtr(on); }
    std::string Describe(int portNumber) const override {
        return For(portNumber).Describe(portNumber);
    }

  private:
    SerialPort& For(int portNumber) const;
    SerialPort& devices_;
    std::map<int, SerialPort*> routes_;
    SerialPort* current_ = &devices_;
};

}  // namespace zan
