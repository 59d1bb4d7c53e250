#include "service/posix_device_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/serial_port.h"
#include "service/log_config.h"

namespace zan {
namespace {

namespace fs = std::filesystem;

constexpr size_t kReadChunk = 4096;

std::string FileText(const fs::path& path) {
    std::ifstream file(path);
    std::string text;
    std::getline(file, text);
    return text;
}

// The USB serial number of a terminal device: the "serial" of the first
// folder above its device that is a whole USB device.
std::string UsbSerialOf(const fs::path& ttyFolder) {
    std::error_code error;
    fs::path at = fs::canonical(ttyFolder / "device", error);
    for (; !error && at.has_relative_path(); at = at.parent_path())
        if (fs::exists(at / "idVendor", error) && fs::exists(at / "serial", error))
            return FileText(at / "serial");
    return {};
}

void Configure(int fd) {
    termios line{};
    if (tcgetattr(fd, &line) != 0) return;  // not a terminal: a plain device or a pipe
    cfmakeraw(&line);
    cfsetispeed(&line, B9600);
    cfsetospeed(&line, B9600);
    line.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
    line.c_cflag |= CS8 | CLOCAL | CREAD;
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &line);
    // What arrived before the line was raw went through the terminal's
    // translations (a CR read as a line feed) and would be a broken line.
    tcflush(fd, TCIFLUSH);
}

}  // namespace

std::vector<SerialDevice> ListSystemSerialDevices(const std::string& sysRoot) {
    const auto stable = StableNames(kStableNameFolder);
    std::vector<SerialDevice> devices;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(sysRoot) / "class/tty", error)) {
        // Only terminals with a device behind them are lines; the rest are consoles.
        if (!fs::exists(entry.path() / "device", error)) continue;
        SerialDevice device;
        device.path = "/dev/" + entry.path().filename().string();
        device.serialNumber = UsbSerialOf(entry.path());
        const auto name = stable.find(device.path);
        if (name != stable.end()) device.stableName = name->second;
        devices.push_back(device);
    }
    return devices;
}

PortMap AdapterPortMap(const LogConfig& config) {
    PortMap map;
    map.paths[1] = config.portPath.empty()
                       ? "the adapter with USB serial number " + config.usbSerial
                       : config.portPath;
    if (!config.usbSerial.empty()) map.serials[1] = config.usbSerial;
    return map;
}

PosixDeviceLine::~PosixDeviceLine() { Close(); }

void PosixDeviceLine::Open(const std::string& device) {
    if (fd_ >= 0) return;
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const std::string why = std::strerror(errno);
        throw PortError(device + ": " + why +
                        (errno == EACCES ? " (is the user in the dialout group?)" : ""));
    }
    // Another program holding the line would take half of every line.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        ::close(fd);
        throw PortError(device + " is in use by another program");
    }
    Configure(fd);
    fd_ = fd;
    path_ = device;
}

void PosixDeviceLine::Close() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
}

void PosixDeviceLine::Write(const std::string& text) {
    if (fd_ < 0) throw PortError("Port is closed");
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, 100);
            continue;
        }
        if (n < 0) Lost(std::strerror(errno));
        done += static_cast<size_t>(n);
    }
}

std::string PosixDeviceLine::Read(int maxChars) {
    if (fd_ < 0) return {};
    pollfd p{fd_, POLLIN, 0};
    ::poll(&p, 1, 0);
    std::string text;
    char buffer[kReadChunk];
    const size_t most = maxChars > 0 ? static_cast<size_t>(maxChars) : SIZE_MAX;
    while (text.size() < most) {
        const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, most - text.size()));
        if (n > 0) {
            text.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) Lost(std::strerror(errno));
        // A line that says it is readable but gives nothing has hung up.
        if (n == 0 && text.empty() && (p.revents & (POLLIN | POLLHUP))) Lost("the line hung up");
        break;
    }
    if (text.empty() && (p.revents & (POLLHUP | POLLERR))) Lost("the line hung up");
    return text;
}

int PosixDeviceLine::CharsWaiting() {
    int count = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &count) != 0) return 0;
    return count;
}

void PosixDeviceLine::SetDtr(bool on) {
    if (fd_ < 0) return;
    int bits = TIOCM_DTR;
    ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits);
}

void PosixDeviceLine::Lost(const std::string& what) {
    Close();
    throw PortLostError(path_ + ": " + what);
}

}  // namespace zan
