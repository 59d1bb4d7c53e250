#include "virtual/virtual_port.h"

#include <algorithm>

namespace zan {

std::string FeedDevice::Produce(double) {
    std::string out;
    out.swap(pending_);
    return out;
}

void VirtualPort::Attach(int portNumber, std::shared_ptr<Device> device) {
    devices_[portNumber] = std::move(device);
}

Device* VirtualPort::DeviceAt(int portNumber) const {
    auto it = devices_.find(portNumber);
    return it == devices_.end() ? nullptr : it->second.get();
}

void VirtualPort::Open(int portNumber) {
    if (!openFailure_.empty()) {
        std::string description;
        description.swap(openFailure_);
        throw PortError(description);
    }
    if (open_) throw PortError("Port already open");
    Device* device = DeviceAt(portNumber);
    if (portNumber == unplugged_) throw PortError("No such file or directory");
    if (!device)
        throw PortError("Port " + std::to_string(portNumber) + " is not connected to a device");
    device->OnOpen(pump_.Seconds());
    open_ = portNumber;
    dropped_ = false;
    buffer_.clear();
    // Whatever the device sent while the port was closed is lost on the line.
    device->Produce(pump_.Seconds());
}

void VirtualPort::DropLine() {
    dropped_ = true;
    unplugged_ = open_;
}

void VirtualPort::Close() {
    if (!open_) return;
    if (Device* device = DeviceAt(open_)) device->OnClose(pump_.Seconds());
    open_ = 0;
    buffer_.clear();
}

// As a real port does, the first look that finds the line gone closes the
// port and says so once; after that the port is simply closed.
void VirtualPort::ThrowIfDropped() {
    if (!dropped_) return;
    dropped_ = false;
    Close();
    throw PortLostError("the serial adapter was disconnected");
}

void VirtualPort::Write(const std::string& text) {
    if (!open_) throw PortError("Operation valid only when the port is open");
    if (!writeFailure_.empty()) throw PortError(writeFailure_);
    ThrowIfDropped();
    try {
        DeviceAt(open_)->OnWrite(text, pump_.Seconds());
    } catch (const PortLostError&) {
        Close();
        throw;
    }
}

void VirtualPort::Collect() {
    if (!open_) throw PortError("Operation valid only when the port is open");
    ThrowIfDropped();
    // A device outside the program can go away by itself.
    try {
        buffer_ += DeviceAt(open_)->Produce(pump_.Seconds());
    } catch (const PortLostError&) {
        Close();
        throw;
    }
}

std::string VirtualPort::Read(int maxChars) {
    Collect();
    const size_t n =
        maxChars <= 0 ? buffer_.size() : std::min(buffer_.size(), static_cast<size_t>(maxChars));
    std::string out = buffer_.substr(0, n);
    buffer_.erase(0, n);
    return out;
}

int VirtualPort::CharsWaiting() {
    Collect();
    return static_cast<int>(buffer_.size());
}

void VirtualPort::SetDtr(bool on) {
    dtr_ = on;
    if (open_ && !dropped_) DeviceAt(open_)->OnDtr(on, pump_.Seconds());
}

std::string VirtualPort::Describe(int portNumber) const {
    Device* device = DeviceAt(portNumber);
    return device ? device->Describe() : "not connected";
}

}  // namespace zan
