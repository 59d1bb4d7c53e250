#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "context/context.h"
#include "gui/qt_test_app.h"
#include "link/port_operations.h"
#include "shell/main_load.h"
#include "sim/pty_server.h"
#include "ui/qt_event_pump.h"
#include "ui/qt_serial_port.h"
#include "virtual/fixed_clock.h"
#include "virtual/scripted_dialogs.h"

namespace zan::ui {
namespace {

// A sensor talking fast: a short line every millisecond of its clock.
class StreamDevice : public Device {
  public:
    std::string Produce(double now) override {
        std::string out;
        for (; next_ < now; next_ += 0.001) out += "1\t2\t3\r\n";
        return out;
    }
    void OnOpen(double now) override { next_ = now; }
    std::string Describe() const override { return "stream"; }

  private:
    double next_ = 0;
};

// The pseudo-terminal is killed at a random moment while lines stream, many
// times over: every time the port must close with exactly one message, and
// never stay open on a line that has gone (which would spin on empty reads).
// ZANHOST_UNPLUG_LOOPS sets the count for a longer run.
TEST(UnplugLoop, EveryKilledTerminalClosesThePortWithExactlyOneMessage) {
    test::App();
    const char* loopsSetting = std::getenv("ZANHOST_UNPLUG_LOOPS");
    const int loops = loopsSetting ? std::atoi(loopsSetting) : 20;
    QtEventPump pump;
    QtSerialPort port(PortMap{});
    ScriptedDialogs dialogs;
    FixedClock clock;
    Context ctx(Platform{pump, port, dialogs, clock});
    WireProgram(ctx);
    MainForm_Load(ctx);
    StreamDevice device;
    std::unique_ptr<sim::PtyServer> server;
    QTimer serve;
    serve.setInterval(1);
    QObject::connect(&serve, &QTimer::timeout, [&] {
        if (server) server->Step(pump.Seconds());
    });
    serve.start();
    const auto runUntil = [](const auto& done, int ms) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < ms) test::RunEventLoop(1);
        return done();
    };
    std::mt19937 rng(7);
    int kills = 0, singleMessages = 0, spins = 0;
    for (int i = 0; i < loops; ++i) {
        server = std::make_unique<sim::PtyServer>(device);
        PortMap map;
        map.paths[1] = server->Path();
        port.SetMap(map);
        ctx.main.op1.Click();
        ASSERT_TRUE(port.IsOpen());
        const std::string before = ctx.main.Label43.Caption();
        ASSERT_TRUE(runUntil([&] { return ctx.main.Label43.Caption() != before; }, 2000));
        test::RunEventLoop(std::uniform_int_distribution<int>(0, 20)(rng));
        const size_t messages = dialogs.Messages().size();
        server.reset();
        ++kills;
        // The program is busy for a moment: by then the line may read as
        // ended (nothing) rather than failed.
        ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(0, 20000)(rng)));
        if (!runUntil([&] { return !port.IsOpen(); }, 2000)) {
            ++spins;
            ctx.main.cp.Click();
        }
        test::RunEventLoop(20);
        if (dialogs.Messages().size() == messages + 1) ++singleMessages;
    }
    std::printf("unplug loop: %d kills, %d single messages, %d spins\n", kills, singleMessages,
                spins);
    EXPECT_EQ(singleMessages, kills);
    EXPECT_EQ(spins, 0);
}

}  // namespace
}  // namespace zan::ui
