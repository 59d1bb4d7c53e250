#pragma once
#include <QDialog>
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
// and one choice per port number 1..4 (a device, the current binding, or none).
class PortChooser : public QDialog {
  public:
    PortChooser(const PortMap& current, std::vector<SerialDevice> devices, QWidget* parent);
    // The bindings as chosen; the serial numbers go with the devices picked.
    PortMap Chosen() const;

  private:
    PortMap current_;
    std::vector<SerialDevice> devices_;
    std::vector<QComboBox*> choices_;
};

// Connects the Connection menu's "Choose Devices…" item: the chosen bindings
// apply from the next open, are kept in the per-user file and shown in the
// status bar.
void WirePortChooser(Context& ctx, MappedPort& port, std::string bindingsPath, QWidget* parent);

}  // namespace zan::ui
