#pragma once
#include <vector>

#include "ports/serial_devices.h"

namespace zan::ui {

// The machine's serial devices as Qt lists them, in the ports' default
// order, each with its stable name and its USB identity.
std::vector<SerialDevice> ListSerialDevices();

}  // namespace zan::ui
