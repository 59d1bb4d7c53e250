#include <gtest/gtest.h>

#include "acquisition/acquisition_loop.h"
#include "virtual/virtual_program.h"

namespace zan {
namespace {

// The virtual port cannot tell whether its device has sent something, so an
// open one always makes work.
TEST(Timer1WouldIdle, OnlyAQuietPortWithoutPlaybackLetsTheTickSleep) {
    const struct {
        bool portOpen;
        float playbackState, playbackDelay;
        bool idle;
    } cases[] = {{false, 0, 0, true}, {false, 1, 0, false}, {false, 2, 0, false},
                 {false, 3, 0, true}, {false, 0, 5, false}, {true, 0, 0, false}};
    for (const auto& c : cases) {
        VirtualProgram program;
        program.AttachFeed(1);
        if (c.portOpen) program.port.Open(1);
        program.ctx.state.PlaybackState = c.playbackState;
        program.ctx.state.PlaybackDelay = c.playbackDelay;
        EXPECT_EQ(Timer1WouldIdle(program.ctx), c.idle)
            << c.portOpen << " " << c.playbackState << " " << c.playbackDelay;
    }
}

}  // namespace
}  // namespace zan
