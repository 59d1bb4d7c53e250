#include "sim/tty_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zan::sim {
namespace {

std::string SystemWords() { return std::strerror(errno); }

void MakeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) return;  // not a terminal: bytes go as they are
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B9600);
    ::cfsetospeed(&settings, B9600);
    settings.c_cflag |= CLOCAL | CREAD | CS8;
    settings.c_cflag &= ~(PARENB | CSTOPB);
    ::tcsetattr(fd, TCSANOW, &settings);
}

}  // namespace

TtyDevice::~TtyDevice() { OnClose(0); }

void TtyDevice::OnOpen(double) {
    OnClose(0);
    fd_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) throw PortError(path_ + ": " + SystemWords());
    MakeRaw(fd_);
}

void TtyDevice::OnClose(double) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void TtyDevice::OnWrite(const std::string& text, double) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno == EAGAIN) {
            pollfd out{fd_, POLLOUT, 0};
            ::poll(&out, 1, 100);
        } else if (n < 0 && errno != EINTR) {
            throw PortLostError(path_ + ": " + SystemWords());
        }
    }
}

void TtyDevice::OnDtr(bool on, double) {
    int line = TIOCM_DTR;
    // A terminal without modem lines refuses; the sensor is then woken another way.
    ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line);
}

std::string TtyDevice::Produce(double) {
    std::string out;
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n > 0) {
            out.append(chunk, static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // Nothing more for now, or the other side hung up (a pseudo-terminal
        // whose peer went away reads as an error, a device as an end).
        if (n < 0 && errno == EAGAIN) return out;
        if (!out.empty()) return out;
        throw PortLostError(n == 0 ? "the device hung up" : SystemWords());
    }
}

}  // namespace zan::sim
