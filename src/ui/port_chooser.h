#pragma once
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "ui/serial_devices.h"

class QComboBox;

namespace zan {
struct Context;
class MappedPort;
}  // namespace zan

namespace zan::ui {

// "Choose Devices…": the machine's serial devices with what identifies them,
// and one choice per port number 1..4 (a device, what the number means now,
// or none). What a number means now is as describe tells it, so a simulated
// sensor shows as one.
class PortChooser : public QDialog {
  public:
    PortChooser(const PortMap& current, std::vector<SerialDevice> devices,
                const std::function<std::string(int)>& describe, QWidget* parent);
    // The bindings as chosen; the serial numbers go with the devices picked.
    PortMap Chosen() const;

  private:
    PortMap current_;
    std::vector<SerialDevice> devices_;
    std::vector<QComboBox*> choices_;
};

// The bindings chosen in the dialog: when they differ from the port's, they
// apply from the next open and are kept in the per-user file; the status bar
// says which it was.
void ApplyChosenDevices(Context& ctx, MappedPort& port, const PortMap& chosen,
                        const std::string& bindingsPath);
// Connects the Connection menu's "Choose Devices…" item to the dialog; what
// each number means now is as the program's port tells it.
void WirePortChooser(Context& ctx, MappedPort& port, std::string bindingsPath, QWidget* parent);

}  // namespace zan::ui
