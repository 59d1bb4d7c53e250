#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

#include "gui/qt_pty_program.h"
#include "shell/main_load.h"

namespace zan::ui::test {
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
    const char* loopsSetting = std::getenv("ZANHOST_UNPLUG_LOOPS");
    const int loops = loopsSetting ? std::atoi(loopsSetting) : 20;
    StreamDevice device;
    QtPtyProgram program(PortMap{}, 1);
    Context& ctx = program.ctx;
    MainForm_Load(ctx);
    const auto runUntil = [](const auto& done, int ms) { return RunUntil(done, ms, 1); };
    std::mt19937 rng(7);
    int kills = 0, singleMessages = 0, spins = 0;
    for (int i = 0; i < loops; ++i) {
        program.server = std::make_unique<sim::PtyServer>(device);
        PortMap map;
        map.paths[1] = program.server->Path();
        program.port.SetMap(map);
        ctx.main.op1.Click();
        ASSERT_TRUE(program.port.IsOpen());
        const std::string before = ctx.main.Label43.Caption();
        ASSERT_TRUE(runUntil([&] { return ctx.main.Label43.Caption() != before; }, 2000));
        RunEventLoop(std::uniform_int_distribution<int>(0, 20)(rng));
        const size_t messages = program.dialogs.Messages().size();
        program.server.reset();
        ++kills;
        // The program is busy for a moment: by then the line may read as
        // ended (nothing) rather than failed.
        ::usleep(static_cast<useconds_t>(std::uniform_int_distribution<int>(0, 20000)(rng)));
        if (!runUntil([&] { return !program.port.IsOpen(); }, 2000)) {
            ++spins;
            ctx.main.cp.Click();
        }
        RunEventLoop(20);
        if (program.dialogs.Messages().size() == messages + 1) ++singleMessages;
    }
    std::printf("unplug loop: %d kills, %d single messages, %d spins\n", kills, singleMessages,
                spins);
    EXPECT_EQ(singleMessages, kills);
    EXPECT_EQ(spins, 0);
}

}  // namespace
}  // namespace zan::ui::test
