#pragma once

namespace zan {

struct Context;

// The Graphs menu: each item selects what packet decoding decodes and which
// graph caption and scale-factor controls go with it.
void UncheckGraphViews(Context& ctx);
void UncheckVsfViews(Context& ctx);
void mang_Click(Context& ctx);
void tang_Click(Context& ctx);
void dwang_Click(Context& ctx);
void Rctime_Click(Context& ctx);
void rang_Click(Context& ctx);
void df2_Click(Context& ctx);
void df3_Click(Context& ctx);
void triarcvsa_Click(Context& ctx);
void triabvsa_Click(Context& ctx);

// "Start Graphing" / "Stop Graphing": the caption tells which it is.
void Command1_Click(Context& ctx);
// Graphing off: "Start Graphing" on light green.
void StopGraphing(Context& ctx);
// Empties the graph the view draws on.
void ClearViewGraph(Context& ctx, float view);

}  // namespace zan
