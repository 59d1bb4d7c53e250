#include <gtest/gtest.h>

#include "acquisition/acquisition_loop.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

struct IdleCase {
    const char* what;
    bool portOpen;
    float playbackState;
    float playbackDelay;
    bool idle;
};

// The virtual port cannot tell whether its device has sent something, so an
// open one always makes work.
TEST(Timer1WouldIdle, OnlyAQuietPortWithoutPlaybackLetsTheTickSleep) {
    const IdleCase cases[] = {
        {"nothing open", false, 0, 0, true},       {"playing", false, 1, 0, false},
        {"one playback step", false, 2, 0, false}, {"playback paused", false, 3, 0, true},
        {"playback delay", false, 0, 5, false},    {"port open", true, 0, 0, false},
    };
    for (const IdleCase& c : cases) {
        VirtualProgram program;
        program.AttachFeed(1);
        if (c.portOpen) program.port.Open(1);
        program.ctx.state.PlaybackState = c.playbackState;
        program.ctx.state.PlaybackDelay = c.playbackDelay;
        EXPECT_EQ(Timer1WouldIdle(program.ctx), c.idle) << c.what;
    }
}

}  // namespace
}  // namespace zan
