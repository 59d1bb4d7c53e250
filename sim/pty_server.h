#pragma once
#include <signal.h>

#include <string>

#include "virtual/virtual_port.h"

namespace zan::sim {

// Serves a device on a pseudo-terminal, so a real serial-port backend can open
// it by its path. Output is only written while a program holds the terminal
// open, so a newly opened port does not receive a backlog of old lines.
class PtyServer {
  public:
    // Throws std::runtime_error with the system's description on failure.
    explicit PtyServer(Device& device);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // The device path to open, such as /dev/pts/3.
    const std::string& Path() const { return path_; }
    // Hands what the program wrote to the device and the device's output to
    // the terminal, at the given seconds of a monotonic clock.
    void Step(double now);
    // Sleeps until the program writes, opens or closes the terminal, a signal
    // outside the mask arrives, or the seconds have passed (while a program
    // holds the terminal open; until then there is nothing to hand over).
    // The mask is the one the wait runs under, as with ppoll.
    void Wait(double seconds, const sigset_t* mask);

  private:
    Device& device_;
    int master_ = -1;
    // Tells of the terminal's opens and closes, which the master does not.
    int watch_ = -1;
    std::string path_;
    bool connected_ = false;
    // Output the terminal had no room for yet; it goes first at the next step,
    // so a program held up for a moment by a busy machine loses nothing.
    std::string unsent_;
};

}  // namespace zan::sim
