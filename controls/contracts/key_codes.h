#pragma once
// The key codes a control is given are the platform's virtual-key numbers (control.h); these are
// the ones the controls and their host act on by name.
namespace plainquill::contracts::keys {

inline constexpr int kTab = 9;
inline constexpr int kSpace = 32;
inline constexpr int kLeftArrow = 37;
inline constexpr int kUpArrow = 38;
inline constexpr int kRightArrow = 39;
inline constexpr int kDownArrow = 40;

} // namespace plainquill::contracts::keys
