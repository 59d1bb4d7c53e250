#pragma once
#include <QElapsedTimer>
#include <QTimer>
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
