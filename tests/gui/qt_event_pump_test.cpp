#include "ui/qt_event_pump.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include "context/context.h"
#include "gui/qt_test_app.h"
#include "link/port_operations.h"
#include "ui/qt_serial_port.h"
#include "virtual/fixed_clock.h"
#include "virtual/scripted_dialogs.h"

namespace zan::ui {
namespace {

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(QtEventPump, DelayRunsTimerTicksAndLeavesTheProcessorMostlyIdle) {
    test::App();
    QtEventPump pump;
    QtSerialPort port(PortMap{});
    ScriptedDialogs dialogs;
    FixedClock clock;
    Context ctx(Platform{pump, port, dialogs, clock});
    int ticks = 0;
    pump.AddTimer(0.010, [&] { ++ticks; });

    const double start = pump.Seconds();
    const double processorStart = ProcessorSeconds();
    Delay(ctx, 0.5);
    const double waited = pump.Seconds() - start;
    const double busy = ProcessorSeconds() - processorStart;

    EXPECT_GE(waited, 0.5);
    EXPECT_GE(ticks, 10);
    // A wait that spun would use the whole half second of processor time.
    EXPECT_LT(busy, 0.25);
}

}  // namespace
}  // namespace zan::ui
