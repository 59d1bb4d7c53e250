#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace zan::sim {
namespace {

// Output held back for a program that does not read: a few seconds of the
// fastest stream.
constexpr size_t kMostUnsent = size_t{1} << 20;

}  // namespace

PtyServer::PtyServer(Device& device) : device_(device) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        const std::string reason = std::strerror(errno);
        if (master_ >= 0) close(master_);
        throw std::runtime_error("cannot create a pseudo-terminal: " + reason);
    }
    path_ = ptsname(master_);
    watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (watch_ < 0 || inotify_add_watch(watch_, path_.c_str(), IN_OPEN | IN_CLOSE) < 0) {
        const std::string reason = std::strerror(errno);
        if (watch_ >= 0) close(watch_);
        close(master_);
        throw std::runtime_error("cannot watch the pseudo-terminal: " + reason);
    }
}

PtyServer::~PtyServer() {
    close(watch_);
    close(master_);
}

void PtyServer::Wait(double seconds, const sigset_t* mask) {
    // A master without a client reports a hang-up at once, so it is only
    // watched while a program holds the terminal.
    pollfd fds[2] = {{watch_, POLLIN, 0}, {master_, POLLIN, 0}};
    const double whole = std::floor(seconds);
    const timespec timeout{static_cast<time_t>(whole), static_cast<long>((seconds - whole) * 1e9)};
    const bool bounded = connected_ && std::isfinite(seconds);
    ppoll(fds, connected_ ? 2 : 1, bounded ? &timeout : nullptr, mask);
    char events[4096];
    while (read(watch_, events, sizeof events) > 0) {}
}

void PtyServer::Step(double now) {
    pollfd p{master_, POLLIN, 0};
    poll(&p, 1, 0);
    // Linux reports a hang-up on the master while no one holds the terminal open.
    const bool connected = (p.revents & POLLHUP) == 0;
    if (connected && !connected_) device_.OnOpen(now);
    if (!connected && connected_) device_.OnClose(now);
    if (connected != connected_) unsent_.clear();
    connected_ = connected;
    if (!connected) return;
    char buffer[512];
    for (;;) {
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        device_.OnWrite(std::string(buffer, static_cast<size_t>(n)), now);
    }
    unsent_ += device_.Produce(now);
    size_t done = 0;
    while (done < unsent_.size()) {
        const ssize_t n = write(master_, unsent_.data() + done, unsent_.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    unsent_.erase(0, done);
    // A program that stops reading for good is not kept up with forever.
    if (unsent_.size() > kMostUnsent) unsent_.clear();
}

}  // namespace zan::sim
