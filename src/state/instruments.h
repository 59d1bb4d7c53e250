#pragma once

namespace zan {

// Instrument codes held in InstrumentType after selection.
inline constexpr float kNoInstrument = 0;
inline constexpr float kVsf = 1;
inline constexpr float kVsfs = 2;
inline constexpr float kDfl = 3;
inline constexpr float kDfls = 4;
inline constexpr float kTria = 5;

// The quick setup dialog and def.zhl number the models differently.
inline constexpr float kQuickVsf = 1;
inline constexpr float kQuickDfl = 2;
inline constexpr float kQuickTria = 3;
inline constexpr float kQuickVsfs = 4;
inline constexpr float kQuickDfls = 5;

inline bool IsVsfFamily(float type) { return type == kVsf || type == kVsfs; }
inline bool IsDflFamily(float type) { return type == kDfl || type == kDfls; }

}  // namespace zan
