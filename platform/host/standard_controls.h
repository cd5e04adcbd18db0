#pragma once
// The program's own drawn control classes, registered under their class names. A control that
// is finished adds one line to standardControlClasses().
#include "platform/host/control_classes.h"

namespace plainquill::host {

inline constexpr const char* kProgressBarClass = "Ostrand.XP_ProgressBar";

ControlClasses standardControlClasses();

} // namespace plainquill::host
