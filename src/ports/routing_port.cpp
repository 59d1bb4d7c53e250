#include "ports/routing_port.h"

namespace zan {

SerialPort& RoutingPort::For(int portNumber) const {
    const auto route = routes_.find(portNumber);
    return route == routes_.end() ? devices_ : *route->second;
}

void RoutingPort::Open(int portNumber) {
    SerialPort& port = For(portNumber);
    port.Open(portNumber);
    current_ = &port;
}

}  // namespace zan
