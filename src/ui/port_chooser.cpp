#include "ui/port_chooser.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "context/context.h"
#include "link/port_watch.h"
#include "ports/mapped_port.h"
#include "ui/qt_text.h"

namespace zan::ui {
namespace {

// The choice's data: a device index, or one of these.
constexpr int kKeepCurrent = -1;
constexpr int kNoDevice = -2;

QTableWidget* DeviceTable(const std::vector<SerialDevice>& devices, QWidget* parent) {
    const QStringList headings = {"Device", "Stable name", "USB vendor:product",
                                  "Maker",  "Product",     "Serial number"};
    auto* table = new QTableWidget(static_cast<int>(devices.size()), headings.size(), parent);
    table->setObjectName("DeviceTable");
    table->setHorizontalHeaderLabels(headings);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    for (int row = 0; row < table->rowCount(); ++row) {
        const SerialDevice& d = devices[static_cast<size_t>(row)];
        const std::string cells[] = {d.path,         d.stableName, d.vendor,
                                     d.manufacturer, d.product,    d.serialNumber};
        for (int col = 0; col < headings.size(); ++col)
            table->setItem(row, col, new QTableWidgetItem(ToQt(cells[col])));
    }
    table->resizeColumnsToContents();
    return table;
}

}  // namespace

PortChooser::PortChooser(const PortMap& current, std::vector<SerialDevice> devices,
                         const std::function<std::string(int)>& describe, QWidget* parent)
    : QDialog(parent), current_(current), devices_(std::move(devices)) {
    setObjectName("PortChooser");
    setWindowTitle("Choose Devices");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(devices_.empty() ? "No serial devices found on this computer."
                                                  : "Serial devices on this computer:",
                                 this));
    layout->addWidget(DeviceTable(devices_, this));
    auto* form = new QFormLayout;
    for (int n = 1; n <= kPortCount; ++n) {
        auto* choice = new QComboBox(this);
        choice->setObjectName(QString("PortChoice%1").arg(n));
        choice->addItem(ToQt(describe(n) + " (as now)"), kKeepCurrent);
        choice->addItem("no device", kNoDevice);
        for (size_t i = 0; i < devices_.size(); ++i) {
            const SerialDevice& d = devices_[i];
            const std::string serial = d.serialNumber.empty() ? "" : ", serial " + d.serialNumber;
            choice->addItem(ToQt(d.BindingName() + serial), static_cast<int>(i));
        }
        form->addRow(QString("Port %1:").arg(n), choice);
        choices_.push_back(choice);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(860, 420);
}

PortMap PortChooser::Chosen() const {
    PortMap map = current_;
    for (int n = 1; n <= kPortCount; ++n) {
        const int pick = choices_[static_cast<size_t>(n - 1)]->currentData().toInt();
        if (pick == kKeepCurrent) continue;
        if (pick == kNoDevice) {
            map.paths.erase(n);
            map.serials.erase(n);
        } else {
            BindPort(map, n, devices_[static_cast<size_t>(pick)]);
        }
    }
    return map;
}

void ApplyChosenDevices(Context& ctx, MappedPort& port, const PortMap& chosen,
                        const std::string& bindingsPath) {
    if (chosen.paths == port.Map().paths && chosen.serials == port.Map().serials)
        return ShowPortStatus(ctx, "Choose Devices: nothing changed, nothing saved");
    port.SetMap(chosen);
    // The bindings apply to this run even when they cannot be kept.
    try {
        SavePortBindings(port.Map(), bindingsPath);
    } catch (const std::exception& e) {
        ShowPortStatus(ctx, "devices chosen for this run; they could not be kept");
        ShowError(ctx, std::string(e.what()) +
                           ". The devices chosen hold until ZAN Host ends; choose them again "
                           "next time, or make the folder writable.");
        return;
    }
    ShowPortStatus(ctx, "devices chosen; kept in " + bindingsPath);
}

void WirePortChooser(Context& ctx, MappedPort& port, std::string bindingsPath, QWidget* parent) {
    ctx.main.chdev.onClick = [&ctx, &port, bindingsPath, parent] {
        SerialPort& shown = ctx.platform.port;
        PortChooser chooser(
            port.Map(), ListSerialDevices(), [&shown](int n) { return shown.Describe(n); }, parent);
        if (chooser.exec() != QDialog::Accepted) return;
        ApplyChosenDevices(ctx, port, chooser.Chosen(), bindingsPath);
    };
}

}  // namespace zan::ui
