#pragma once

namespace zan {

struct Context;

// The TRIA head setup frame: read the head's configuration (sensor per slot,
// auxiliary inputs, pressure output unit), send it back, lock it.

// Retrieve Settings: stops the head, reads its listing from List2, fills the frame.
void Command12_Click(Context& ctx);
// Apply Settings: sends the frame's configuration and runs the head again.
void Command4_Click(Context& ctx);
// Lock Settings: locks the head's configuration.
void Command13_Click(Context& ctx);

}  // namespace zan
