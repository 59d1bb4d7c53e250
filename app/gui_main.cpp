#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

#include "command_line.h"
#include "context/context.h"
#include "core/whole_number.h"
#include "link/port_watch.h"
#include "ports/mapped_port.h"
#include "ports/port_map.h"
#include "ports/routing_port.h"
#include "shell/main_load.h"
#include "sim/simulated_sensor.h"
#include "ui/port_chooser.h"
#include "ui/qt_dialogs.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_serial_port.h"
#include "ui/qt_system_clock.h"
#include "ui/serial_devices.h"
#include "ui/termination_signals.h"
#include "ui/window_binder.h"
#include "ui/window_picture.h"
#include "virtual/virtual_port.h"

namespace {

constexpr int kSimulatedPort = 1;
constexpr int kClickSpacingMs = 1000;
constexpr long long kLongestRunMs = 86400 * 1000;

// The quick setup choice that matches a simulated model.
zan::OptionButton& QuickSetupOption(zan::QuickSetupForm& quick, zan::sim::SensorModel model) {
    switch (model) {
        case zan::sim::SensorModel::Vsf: return quick.Option1;
        case zan::sim::SensorModel::Dfl: return quick.Option2;
        case zan::sim::SensorModel::Tria: return quick.Option3;
        case zan::sim::SensorModel::Vsfs: return quick.Option6;
        case zan::sim::SensorModel::Dfls: return quick.Option7;
    }
    return quick.Option1;
}

int Fail(const QString& text) {
    return zan::app::UsageError("zanhost", text.toStdString(), std::cerr);
}

void AddOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription("Host program for the ZAN optical sensors.");
    // Not Qt's help option: its --help-all offers Qt's own options, which this
    // program does not take, as it reads its options before the window system.
    parser.addOption({{"h", "help"}, "Displays help on commandline options."});
    parser.addVersionOption();
    parser.addOption(
        {"simulate", "Attach a simulated sensor (VSF, VSFS, DFL, DFLS, TRIA) to port 1.", "MODEL"});
    parser.addOption({"port",
                      QString("Map port N (1..%1) to a serial device, such as 1=/dev/ttyUSB0.")
                          .arg(zan::kPortCount),
                      "N=PATH"});
    parser.addOption(
        {"apply", "Apply the quick setup at once, as if its Apply button was clicked."});
    parser.addOption({"click",
                      "Click the main window's control NAME once the window is up "
                      "(repeatable; one click a second, in order).",
                      "NAME"});
    parser.addOption({"tab", "Open the main window on tab INDEX (0, 1 or 2).", "INDEX", "0"});
    parser.addOption({"screenshot", "Save a picture of the main window to PATH and exit.", "PATH"});
    parser.addOption(
        {"after", "Seconds to run before the screenshot (default 5).", "SECONDS", "5"});
}

// Read before the window system starts, so that --help, --version and a
// wrong option answer at once, also with no display. A status ends the program.
std::optional<int> ReadOptions(QCommandLineParser& parser, int argc, char* argv[]) {
    AddOptions(parser);
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments)) return Fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return Fail("Unexpected argument '" + parser.positionalArguments().constFirst() + "'.");
    if (parser.isSet("help")) {
        QString help = parser.helpText();
        // Without a running application Qt cannot name the program.
        help.replace(0, help.indexOf('\n'), "Usage: zanhost [options]");
        std::cout << qPrintable(help);
        return 0;
    }
    if (parser.isSet("version")) {
        std::cout << zan::app::VersionLine("zanhost") << "\n";
        return 0;
    }
    if (parser.isSet("simulate") &&
        !zan::sim::ParseSensorModel(parser.value("simulate").toStdString()))
        return Fail("unknown model " + parser.value("simulate") +
                    "; use VSF, VSFS, DFL, DFLS or TRIA");
    return std::nullopt;
}

// The machine's devices (listed once), then the user's chosen bindings, then --port.
struct StartingPorts {
    zan::PortMap map;
    std::string bindingsPath, bindingsProblem, usageProblem;
};

StartingPorts ReadPorts(const QCommandLineParser& parser, const std::string& preferencesPath) {
    StartingPorts ports;
    ports.bindingsPath = zan::PortBindingsPath(preferencesPath);
    const std::vector<zan::SerialDevice> devices = zan::ui::ListSerialDevices();
    ports.map = zan::PortMapFromDevices(devices);
    try {
        zan::LoadPortBindings(ports.map, ports.bindingsPath);
    } catch (const std::exception& e) {
        ports.bindingsProblem = e.what();
    }
    for (const QString& assignment : parser.values("port")) {
        ports.usageProblem = zan::ApplyPortOverride(ports.map, assignment.toStdString());
        if (!ports.usageProblem.empty()) return ports;
    }
    zan::RecordSerialNumbers(ports.map, devices);
    return ports;
}

// --click NAME, one a second once the window is up; false for an unknown name.
bool ScheduleClicks(const QCommandLineParser& parser, zan::Context& ctx, QApplication& app) {
    int clickNumber = 0;
    for (const QString& name : parser.values("click")) {
        zan::Control* control = ctx.main.registry.Find(name.toStdString());
        if (!control) {
            Fail("no control named " + name);
            return false;
        }
        QTimer::singleShot(kClickSpacingMs * ++clickNumber, &app,
                           [control] { zan::ClickControl(*control); });
    }
    return true;
}

// --screenshot PATH --after SECONDS; false for a wrong number of seconds.
bool ScheduleScreenshot(const QCommandLineParser& parser, zan::ui::WindowBinder& windows,
                        QApplication& app) {
    if (!parser.isSet("screenshot")) return true;
    const auto ms =
        zan::WholeNumberIn(std::round(parser.value("after").toDouble() * 1000), 0, kLongestRunMs);
    if (!ms) {
        Fail("--after wants seconds from 0 to 86400, not " + parser.value("after"));
        return false;
    }
    const QString path = parser.value("screenshot");
    QTimer::singleShot(static_cast<int>(*ms), &app, [&windows, path] {
        // A message box open at that moment is shown over its window.
        QWidget* window =
            windows.MainWindow()->isVisible() ? windows.MainWindow() : windows.QuickSetupWindow();
        QWidget* box = QApplication::activeModalWidget();
        const QImage picture =
            box ? zan::ui::WindowPictureWithBox(window, box) : zan::ui::WindowPicture(window);
        if (!picture.save(path))
            std::fprintf(stderr, "zanhost: cannot write %s\n", qPrintable(path));
        // Leaves every event loop, a message box's included.
        QApplication::quit();
    });
    return true;
}

// Applied from inside the event loop, so a message box the apply opens
// leaves the screenshot, the clicks and the program's end running.
void ScheduleStart(const QCommandLineParser& parser, zan::Context& ctx, QApplication& app) {
    const bool apply = parser.isSet("apply");
    const int tab = parser.value("tab").toInt();
    QTimer::singleShot(0, &app, [&ctx, apply, tab] {
        if (apply) ctx.quick.Command1.Click();
        ctx.main.SSTab1.SetCurrentTab(tab);
    });
}

// The program itself, once the options are known good.
int Run(const QCommandLineParser& parser, QApplication& app) {
    zan::ui::QtSystemClock clock;
    const StartingPorts ports = ReadPorts(parser, clock.PreferencesPath());
    if (!ports.usageProblem.empty()) return Fail(QString::fromStdString(ports.usageProblem));
    zan::ui::QtEventPump pump;
    zan::ui::QtDeviceLine line;
    zan::MappedPort devicePort(line, zan::ui::ListSerialDevices, ports.map);
    zan::RoutingPort port(devicePort);
    zan::ui::QtDialogs dialogs;
    zan::VirtualPort simulatedPort(pump);
    const auto model = zan::sim::ParseSensorModel(parser.value("simulate").toStdString());
    if (model) {
        simulatedPort.Attach(kSimulatedPort, std::make_shared<zan::sim::SimulatedSensor>(*model));
        port.Route(kSimulatedPort, simulatedPort);
    }
    zan::Context ctx({pump, port, dialogs, clock});
    ctx.onProgramEnded = [] { QApplication::quit(); };
    zan::WireProgram(ctx);
    zan::ui::WindowBinder windows(ctx);
    dialogs.SetParent(windows.MainWindow());
    zan::ui::WirePortChooser(ctx, devicePort, ports.bindingsPath, windows.MainWindow());
    if (!ports.bindingsProblem.empty()) zan::ShowPortStatus(ctx, ports.bindingsProblem);
    zan::StartProgram(ctx);
    // A simulated sensor comes preselected, so Apply starts the data at once.
    if (model) {
        QuickSetupOption(ctx.quick, *model).SetValue(true);
        ctx.quick.Option4.SetValue(true);
    }
    windows.ShowVisibleWindows();
    if (!ScheduleClicks(parser, ctx, app) || !ScheduleScreenshot(parser, windows, app)) return 2;
    ScheduleStart(parser, ctx, app);
    return app.exec();
}

}  // namespace

// zanhost: the desktop program. Ports 1..kPortCount are the machine's serial devices
// (USB adapters first); --port N=PATH names one, --simulate MODEL puts a
// simulated sensor on port 1.
int main(int argc, char* argv[]) {
    QApplication::setApplicationName("zanhost");
    QCommandLineParser parser;
    if (const auto status = ReadOptions(parser, argc, argv)) return *status;
    // Qt's own event loop wakes more cheaply than the GLib one, and the program
    // wakes for every few characters of a stream. QT_NO_GLIB set (even empty)
    // by the user is left as it is.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    zan::ui::QuitOnTerminationSignals(app);
    return Run(parser, app);
}
