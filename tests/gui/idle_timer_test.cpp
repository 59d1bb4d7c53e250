#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <string>

#include "gui/qt_test_app.h"
#include "sim/pty_server.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_serial_port.h"
#include "virtual/virtual_port.h"

namespace zan::ui {
namespace {

// A quiet port lets the tick sleep; the port's read notification wakes it.
TEST(IdleTimer, TicksSleepAtAQuietPortAndWakeWhenDataArrives) {
    test::App();
    FeedDevice sensor;
    sim::PtyServer server(sensor);
    QtEventPump pump;
    QtSerialPort port(PortMap{{{1, server.Path()}}});
    port.Open(1);
    server.Step(0);
    int ticks = 0;
    std::string received;
    const auto tick = [&] {
        ++ticks;
        received += port.Read(0);
    };
    pump.AddIdleTimer(0.010, tick, [&] { return !port.MayHaveInput(); });

    test::RunEventLoop(200);
    EXPECT_LE(ticks, 1);

    const std::string line = "12/06/26\t12:00:00\t1836\r\n";
    sensor.Feed(line);
    server.Step(0);
    QElapsedTimer clock;
    clock.start();
    while (received.size() < line.size() && clock.elapsed() < 2000) test::RunEventLoop(10);
    EXPECT_EQ(received, line);
    EXPECT_LE(ticks, 5);
}

}  // namespace
}  // namespace zan::ui
