#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>
#include <string>

#include "gui/qt_test_app.h"
#include "sim/pty_server.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_serial_port.h"
#include "virtual/virtual_port.h"

namespace zan::ui {
namespace {

template <typename F>
bool RunUntil(F done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) test::RunEventLoop(10);
    return done();
}

TEST(IdleTimer, TicksAreHeldBackWhileIdleAndResumeOnceAnEventMakesWork) {
    test::App();
    QtEventPump pump;
    bool work = false;
    int ticks = 0;
    pump.AddIdleTimer(
        0.010, [&] { ++ticks; }, [&] { return !work; });

    test::RunEventLoop(200);
    EXPECT_LE(ticks, 1);

    QTimer::singleShot(10, [&] { work = true; });
    test::RunEventLoop(300);
    EXPECT_GE(ticks, 10);

    work = false;
    test::RunEventLoop(50);
    const int settled = ticks;
    test::RunEventLoop(200);
    EXPECT_LE(ticks - settled, 1);
}

// A quiet port lets the tick sleep; the port's read notification wakes it.
TEST(IdleTimer, DataArrivingAtAQuietPortWakesTheTick) {
    test::App();
    FeedDevice sensor;
    sim::PtyServer server(sensor);
    QtEventPump pump;
    QtSerialPort port(PortMap{{{1, server.Path()}}});
    port.Open(1);
    server.Step(0);
    int ticks = 0;
    std::string received;
    pump.AddIdleTimer(
        0.010,
        [&] {
            ++ticks;
            received += port.Read(0);
        },
        [&] { return !port.MayHaveInput(); });

    test::RunEventLoop(200);
    EXPECT_LE(ticks, 1);
    EXPECT_FALSE(port.MayHaveInput());

    const std::string line = "12/06/26\t12:00:00\t1836\r\n";
    sensor.Feed(line);
    server.Step(0);
    ASSERT_TRUE(RunUntil([&] { return received.size() >= line.size(); }, 2000)) << received;
    EXPECT_EQ(received, line);
    EXPECT_FALSE(port.MayHaveInput());
    EXPECT_LE(ticks, 5);
}

}  // namespace
}  // namespace zan::ui
