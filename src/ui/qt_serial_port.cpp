#include "ui/qt_serial_port.h"

#include <poll.h>
#include <sys/ioctl.h>

namespace zan::ui {
namespace {

std::string OpenFailure(const std::string& path, const QSerialPort& device) {
    std::string text = path + ": " + device.errorString().toStdString();
    if (device.error() == QSerialPort::PermissionError)
        text +=
            ". Your user may not use serial ports: add it to the dialout group "
            "(sudo usermod -aG dialout $USER) and log in again.";
    return text;
}

}  // namespace

QtDeviceLine::QtDeviceLine() {
    // Qt reports a lost device as a resource error, but a read of nothing on
    // a hung-up line only as a read error (and then keeps reading): both end
    // the port.
    QObject::connect(&device_, &QSerialPort::errorOccurred, &device_,
                     [this](QSerialPort::SerialPortError error) {
                         if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError)
                             readFailure_ = device_.errorString().toStdString();
                     });
}

void QtDeviceLine::Open(const std::string& path) {
    device_.setPortName(QString::fromStdString(path));
    device_.setBaudRate(QSerialPort::Baud9600);
    device_.setDataBits(QSerialPort::Data8);
    device_.setParity(QSerialPort::NoParity);
    device_.setStopBits(QSerialPort::OneStop);
    device_.setFlowControl(QSerialPort::NoFlowControl);
    if (!device_.open(QIODevice::ReadWrite)) throw PortError(OpenFailure(path, device_));
    device_.setDataTerminalReady(false);
    readFailure_.clear();
}

void QtDeviceLine::Close() {
    if (device_.isOpen()) device_.close();
}

void QtDeviceLine::Write(const std::string& text) {
    if (!device_.isOpen()) throw PortError("Operation valid only when the port is open");
    ThrowIfLost();
    if (device_.write(text.data(), static_cast<qint64>(text.size())) < 0)
        throw PortError(device_.errorString().toStdString());
    // Hand the bytes to the driver now: some callers poll without dispatching events.
    device_.flush();
}

void QtDeviceLine::Collect() {
    if (!device_.isOpen()) return;
    device_.waitForReadyRead(0);
    ThrowIfLost();
}

std::string QtDeviceLine::WhyLost() {
    if (!readFailure_.empty()) return "read error (" + readFailure_ + ")";
    const int fd = static_cast<int>(device_.handle());
    pollfd line{fd, POLLIN, 0};
    if (::poll(&line, 1, 0) <= 0) return {};
    if (line.revents & POLLHUP) return "the device hung up";
    if (line.revents & (POLLERR | POLLNVAL)) return "the line failed";
    int waiting = 0;
    if ((line.revents & POLLIN) && ::ioctl(fd, FIONREAD, &waiting) == 0 && waiting == 0)
        return "the device hung up";
    return {};
}

void QtDeviceLine::ThrowIfLost() {
    if (!device_.isOpen()) return;
    const std::string why = WhyLost();
    if (why.empty()) return;
    device_.close();
    throw PortLostError(why);
}

std::string QtDeviceLine::Read(int maxChars) {
    // Reading everything is the timer's job; the port's read notification has
    // already taken in what arrived, so only the character-wise readers poll,
    // and only when nothing is waiting (a loss shows once it is read out).
    if (maxChars <= 0)
        ThrowIfLost();
    else if (device_.bytesAvailable() == 0)
        Collect();
    if (!device_.isOpen()) return {};
    const QByteArray bytes = maxChars > 0 ? device_.read(maxChars) : device_.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

int QtDeviceLine::CharsWaiting() {
    Collect();
    return device_.isOpen() ? static_cast<int>(device_.bytesAvailable()) : 0;
}

bool QtDeviceLine::MayHaveInput() {
    return device_.isOpen() &&
           (device_.bytesAvailable() > 0 || !readFailure_.empty() || !WhyLost().empty());
}

void QtDeviceLine::SetDtr(bool on) {
    if (device_.isOpen()) device_.setDataTerminalReady(on);
}

}  // namespace zan::ui
