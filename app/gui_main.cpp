#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>

#include "command_line.h"
#include "context/context.h"
#include "core/whole_number.h"
#include "link/port_watch.h"
#include "ports/mapped_port.h"
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
constexpr int kEndCheckMs = 50;
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

}  // namespace

// zanhost: the desktop program. Ports 1..4 are the machine's serial devices
// (USB adapters first); --port N=PATH names one, --simulate MODEL puts a
// simulated sensor on port 1.
int main(int argc, char* argv[]) {
    QApplication::setApplicationName("zanhost");
    QCommandLineParser parser;
    parser.setApplicationDescription("Host program for the ZAN optical sensors.");
    // Not Qt's help option: its --help-all offers Qt's own options, which this
    // program does not take, as it reads its options before the window system.
    parser.addOption({{"h", "help"}, "Displays help on commandline options."});
    parser.addVersionOption();
    parser.addOption(
        {"simulate", "Attach a simulated sensor (VSF, VSFS, DFL, DFLS, TRIA) to port 1.", "MODEL"});
    parser.addOption(
        {"port", "Map port N (1..4) to a serial device, such as 1=/dev/ttyUSB0.", "N=PATH"});
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
    // Read before the window system starts, so that --help, --version and a
    // wrong option answer at once, also with no display.
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
    // Qt's own event loop wakes more cheaply than the GLib one, and the program
    // wakes for every few characters of a stream. QT_NO_GLIB set (even empty)
    // by the user is left as it is.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) qputenv("QT_NO_GLIB", "1");
    QApplication app(argc, argv);
    zan::ui::QuitOnTerminationSignals(app);

    // The machine's devices, then the user's chosen bindings, then --port.
    zan::ui::QtSystemClock clock;
    const std::string bindingsPath = zan::PortBindingsPath(clock.PreferencesPath());
    const std::vector<zan::SerialDevice> devices = zan::ui::ListSerialDevices();
    zan::PortMap map = zan::PortMapFromDevices(devices);
    std::string bindingsProblem;
    try {
        zan::LoadPortBindings(map, bindingsPath);
    } catch (const std::exception& e) {
        bindingsProblem = e.what();
    }
    for (const QString& assignment : parser.values("port")) {
        const std::string problem = zan::ApplyPortOverride(map, assignment.toStdString());
        if (!problem.empty()) return Fail(QString::fromStdString(problem));
    }
    zan::RecordSerialNumbers(map, devices);

    zan::ui::QtEventPump pump;
    zan::ui::QtDeviceLine line;
    zan::MappedPort devicePort(line, zan::ui::ListSerialDevices, map);
    zan::RoutingPort port(devicePort);
    zan::ui::QtDialogs dialogs;
    zan::VirtualPort simulatedPort(pump);
    const auto model = zan::sim::ParseSensorModel(parser.value("simulate").toStdString());
    if (parser.isSet("simulate")) {
        if (!model)
            return Fail("unknown model " + parser.value("simulate") +
                        "; use VSF, VSFS, DFL, DFLS or TRIA");
        simulatedPort.Attach(kSimulatedPort, std::make_shared<zan::sim::SimulatedSensor>(*model));
        port.Route(kSimulatedPort, simulatedPort);
    }

    zan::Context ctx({pump, port, dialogs, clock});
    zan::WireProgram(ctx);
    zan::ui::WindowBinder windows(ctx);
    dialogs.SetParent(windows.MainWindow());
    zan::ui::WirePortChooser(ctx, devicePort, bindingsPath, windows.MainWindow());
    if (!bindingsProblem.empty()) zan::ShowPortStatus(ctx, bindingsProblem);
    zan::StartProgram(ctx);
    // A simulated sensor comes preselected, so Apply starts the data at once.
    if (model) {
        QuickSetupOption(ctx.quick, *model).SetValue(true);
        ctx.quick.Option4.SetValue(true);
    }
    windows.ShowVisibleWindows();

    QTimer endCheck;
    QObject::connect(&endCheck, &QTimer::timeout, &app, [&ctx] {
        if (ctx.programEnded) QApplication::quit();
    });
    endCheck.start(kEndCheckMs);

    int clickNumber = 0;
    for (const QString& name : parser.values("click")) {
        zan::Control* control = ctx.main.registry.Find(name.toStdString());
        if (!control) return Fail("no control named " + name);
        QTimer::singleShot(kClickSpacingMs * ++clickNumber, &app,
                           [control] { zan::ClickControl(*control); });
    }

    if (parser.isSet("screenshot")) {
        const auto ms = zan::WholeNumberIn(std::round(parser.value("after").toDouble() * 1000), 0,
                                           kLongestRunMs);
        if (!ms) return Fail("--after wants seconds from 0 to 86400, not " + parser.value("after"));
        const QString path = parser.value("screenshot");
        QTimer::singleShot(static_cast<int>(*ms), &app, [&windows, path] {
            // A message box open at that moment is what the user looks at.
            QWidget* shown = QApplication::activeModalWidget();
            if (!shown)
                shown = windows.MainWindow()->isVisible() ? windows.MainWindow()
                                                          : windows.QuickSetupWindow();
            if (!zan::ui::WindowPicture(shown).save(path))
                std::fprintf(stderr, "zanhost: cannot write %s\n", qPrintable(path));
            // Leaves every event loop, a message box's included.
            QApplication::quit();
        });
    }

    // Applied from inside the event loop, so a message box the apply opens
    // leaves the screenshot, the clicks and the end check running.
    const bool apply = parser.isSet("apply");
    const int tab = parser.value("tab").toInt();
    QTimer::singleShot(0, &app, [&ctx, apply, tab] {
        if (apply) ctx.quick.Command1.Click();
        ctx.main.SSTab1.SetCurrentTab(tab);
    });
    return app.exec();
}
