#pragma once

namespace zan {

inline constexpr int kVersionMajor = 4;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionRevision = 4;
inline constexpr const char* kVersionComments = "This version was compiled on Nov. 28, 2001";

}  // namespace zan
