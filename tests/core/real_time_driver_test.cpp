#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "driver/driver.h"

namespace zan {
namespace {

// A peer holding the other side of a pseudo-terminal, playing a logger
// that answers the settings query and the clock query; what it was sent is
// in `received` once it has stopped.
class LoggerPeer {
  public:
    LoggerPeer() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        path = ::ptsname(master_);
        thread_ = std::thread([this] { Serve(); });
    }
    ~LoggerPeer() {
        Stop();
        if (master_ >= 0) ::close(master_);
    }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    std::string path, received;

  private:
    void Serve() {
        const std::map<char, std::string> replies = {
            {'P',
             "P\r\nAutoStart 1\r\nBit2 0\r\nBit3 0\r\nLogEnable 1\r\nWakeUp 0\r\n"
             "Append 1\r\nS=30\r\nD=2\r\nQ=100\r\nI=90\r\nMP=32767\r\n>"},
            {'C', "C\r\n07/04/06\t32400\r\n>"}};
        while (!stop_) {
            pollfd in{master_, POLLIN, 0};
            if (::poll(&in, 1, 20) <= 0 || !(in.revents & POLLIN)) continue;
            char chunk[64];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            for (ssize_t i = 0; i < n; ++i) {
                received += chunk[i];
                const auto reply = replies.find(chunk[i]);
                if (reply == replies.end()) continue;
                if (::write(master_, reply->second.data(), reply->second.size()) < 0) stop_ = true;
            }
        }
    }
    int master_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(RealTimeDriver, RetrievesTheSettingsFromAPeerOnAPseudoTerminal) {
    LoggerPeer peer;
    ASSERT_FALSE(peer.path.empty());
    std::ostringstream out;
    DriverOptions options;
    options.devices[1] = peer.path;
    options.realTime = true;
    Driver driver(out, options);
    std::istringstream script(
        "load\nclick inst2\nclick op1\nport 1\nclick Command3\n"
        "print Text3\nprint Label3\nprint Text5\n");
    EXPECT_EQ(driver.Run(script), 0) << out.str();
    // The port, then the settings the peer gave, and no message box.
    const std::string plain = " visible true enabled true colour 192,192,192";
    EXPECT_EQ(out.str(), "port 1 = " + peer.path + " (open)\nText3: caption \"\"" + plain +
                             " text \"100\"\nLabel3: caption \"32767\"" + plain +
                             "\nText5: caption \"\"" + plain + " text \"12\"\n");
    peer.Stop();
    EXPECT_EQ(peer.received, "PC");
}

}  // namespace
}  // namespace zan
