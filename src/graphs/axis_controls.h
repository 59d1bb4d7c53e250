#pragma once

namespace zan {

struct Context;

// The axis buttons act on the angle graph, then on the time graph.
void Command6_Click(Context& ctx);   // X In
void Command9_Click(Context& ctx);   // X Out
void Command10_Click(Context& ctx);  // X Autoscale
void Command7_Click(Context& ctx);   // Y In
void Command8_Click(Context& ctx);   // Y Out
void Command11_Click(Context& ctx);  // Y Autoscale
void Command14_Click(Context& ctx);  // open the range entry panel
void Command32_Click(Context& ctx);  // X range Ok
void Command15_Click(Context& ctx);  // Y range Ok
void Command25_Click(Context& ctx);  // Clear Graph

}  // namespace zan
