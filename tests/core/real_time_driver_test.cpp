#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "driver/driver.h"

namespace zan {
namespace {

// A peer holding the other side of a pseudo-terminal, playing a logger
// that answers the settings query and the clock query, and keeping what it
// was sent.
class LoggerPeer {
  public:
    LoggerPeer() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        path_ = ::ptsname(master_);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoggerPeer() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        if (master_ >= 0) ::close(master_);
    }
    const std::string& Path() const { return path_; }
    std::string Received() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }

  private:
    void Answer(char c) {
        const std::string reply =
            c == 'P'   ? "P\r\nAutoStart 1\r\nBit2 0\r\nBit3 0\r\nLogEnable 1\r\nWakeUp 0\r\n"
                         "Append 1\r\nS=30\r\nD=2\r\nQ=100\r\nI=90\r\nMP=32767\r\n>"
            : c == 'C' ? "C\r\n07/04/06\t32400\r\n>"
                       : "";
        if (!reply.empty() && ::write(master_, reply.data(), reply.size()) < 0) stop_ = true;
    }
    void Serve() {
        while (!stop_) {
            pollfd in{master_, POLLIN, 0};
            if (::poll(&in, 1, 20) <= 0 || !(in.revents & POLLIN)) continue;
            char chunk[64];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            for (ssize_t i = 0; i < n; ++i) {
                {
                    const std::lock_guard<std::mutex> lock(mutex_);
                    received_ += chunk[i];
                }
                Answer(chunk[i]);
            }
        }
    }
    int master_ = -1;
    std::string path_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::string received_;
    std::thread thread_;
};

TEST(RealTimeDriver, RetrievesTheSettingsFromAPeerOnAPseudoTerminal) {
    LoggerPeer peer;
    ASSERT_FALSE(peer.Path().empty());
    std::ostringstream out;
    DriverOptions options;
    options.devices[1] = peer.Path();
    options.realTime = true;
    Driver driver(out, options);
    std::istringstream script(
        "load\nclick inst2\nclick op1\nport 1\nclick Command3\n"
        "print Text3\nprint Label3\nprint Text5\n");
    EXPECT_EQ(driver.Run(script), 0) << out.str();
    const std::string shown = "\n" + out.str();
    // The line the driver printed for a control or a port.
    auto line = [&shown](const std::string& start) {
        const size_t at = shown.find("\n" + start);
        return at == std::string::npos ? ""
                                       : shown.substr(at + 1, shown.find('\n', at + 1) - at - 1);
    };
    EXPECT_EQ(line("port 1"), "port 1 = " + peer.Path() + " (open)") << shown;
    EXPECT_NE(line("Text3:").find("text \"100\""), std::string::npos) << shown;
    EXPECT_NE(line("Label3:").find("caption \"32767\""), std::string::npos) << shown;
    EXPECT_NE(line("Text5:").find("text \"12\""), std::string::npos) << shown;
    EXPECT_EQ(shown.find("message"), std::string::npos) << shown;
    EXPECT_EQ(peer.Received(), "PC");
}

}  // namespace
}  // namespace zan
