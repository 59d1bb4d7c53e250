#pragma once
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "context/context.h"
#include "gui/qt_test_app.h"
#include "ports/mapped_port.h"
#include "shell/main_load.h"
#include "sim/pty_server.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_serial_port.h"
#include "ui/serial_devices.h"
#include "virtual/fixed_clock.h"
#include "virtual/scripted_dialogs.h"

namespace zan::ui::test {

// The whole program on the real Qt serial path, with a sensor served on a
// pseudo-terminal that a Qt timer steps every serveMs milliseconds. Its
// message boxes are scripted unless other dialogs are given.
struct QtPtyProgram {
    explicit QtPtyProgram(PortMap map, int serveMs = 5, Dialogs* shown = nullptr)
        : port(line, ListSerialDevices, std::move(map)),
          ctx(Platform{pump, port, shown ? *shown : dialogs, clock}) {
        WireProgram(ctx);
        serve.setInterval(serveMs);
        QObject::connect(&serve, &QTimer::timeout, [this] {
            if (server) server->Step(pump.Seconds());
        });
        serve.start();
    }

    // Serves the device on a new terminal behind the link, as a USB adapter
    // behind its by-id name, plugged in for the first time or again.
    void ServeBehind(Device& device, const std::filesystem::path& link) {
        server = std::make_unique<sim::PtyServer>(device);
        // A new terminal echoes what reaches it until its opener makes it raw;
        // made raw here, whatever the device receives was sent by the program.
        const int slave = ::open(server->Path().c_str(), O_RDWR | O_NOCTTY);
        termios raw{};
        ::tcgetattr(slave, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave, TCSANOW, &raw);
        ::close(slave);
        const std::filesystem::path fresh = link.parent_path() / "fresh";
        std::filesystem::create_symlink(server->Path(), fresh);
        std::filesystem::rename(fresh, link);
    }

    bool appStarted = (App(), true);
    QtEventPump pump;
    QtDeviceLine line;
    MappedPort port;
    ScriptedDialogs dialogs;
    FixedClock clock;
    Context ctx;
    std::unique_ptr<sim::PtyServer> server;
    QTimer serve;
};

// Runs the event loop until the condition holds or the time is up.
template <typename F>
bool RunUntil(F done, int ms, int stepMs = 5) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) RunEventLoop(stepMs);
    return done();
}

}  // namespace zan::ui::test
