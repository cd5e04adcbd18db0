#pragma once
// The program's own drawn control classes, registered under their class names. A control that
// is finished adds one line to standardControlClasses().
#include "controls/contracts/control_classes.h"

namespace plainquill::controls {

inline constexpr const char* kProgressBarClass = "Ostrand.XP_ProgressBar";
inline constexpr const char* kIsButtonClass = "Ostrand.isButton";
inline constexpr const char* kChameleonButtonClass = "Ostrand.chameleonButton";
inline constexpr const char* kXpButtonClass = "Ostrand.XpB";

contracts::ControlClasses standardControlClasses();

} // namespace plainquill::controls
