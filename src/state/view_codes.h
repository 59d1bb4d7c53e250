#pragma once

namespace zan {

// The graph views, as GraphView holds them: the Graphs menu selects one and
// packet decoding decodes for it.
inline constexpr float kViewVsfBeta = 1;
// Views whose menu items stay disabled; nothing decodes them.
inline constexpr float kViewVsfBetaTime = 2;
inline constexpr float kViewVsfRadialArea = 3;
inline constexpr float kViewVsfCountsTime = 4;
inline constexpr float kViewVsfCounts = 5;
inline constexpr float kViewDflChlorophyll = 6;
inline constexpr float kViewDflCounts = 7;
inline constexpr float kViewTriaCounts = 11;
inline constexpr float kViewTriaBeta = 12;

}  // namespace zan
