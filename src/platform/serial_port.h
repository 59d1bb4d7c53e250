#pragma once
#include <stdexcept>
#include <string>

namespace zan {

// A failure of the serial port, carrying the system's description.
class PortError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The line to the sensor was lost while open (adapter unplugged, device gone).
class PortLostError : public PortError {
  public:
    using PortError::PortError;
};

// One serial port at 9600 baud, 8N1, addressed by the program's port numbers 1..4.
class SerialPort {
  public:
    virtual ~SerialPort() = default;
    // Throws PortError with the system's description on failure.
    virtual void Open(int portNumber) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Sends the characters unchanged. Throws PortError when closed or failing.
    virtual void Write(const std::string& text) = 0;
    // Removes and returns up to maxChars waiting characters (0: all of them),
    // including bytes that arrived since the last event dispatch.
    // Throws PortLostError when the line has gone.
    virtual std::string Read(int maxChars) = 0;
    virtual int CharsWaiting() = 0;
    // False only when the port can tell, without reading, that a Read would
    // return nothing and raise nothing; a port that cannot tell says true.
    virtual bool MayHaveInput() { return true; }
    virtual void SetDtr(bool on) = 0;
    // What a port number means on this machine (a device path, "simulated VSF").
    virtual std::string Describe(int portNumber) const = 0;
};

}  // namespace zan
