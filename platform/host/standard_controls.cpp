#include "platform/host/standard_controls.h"

#include "controls/progressbar/xp_progress_bar.h"

namespace plainquill::host {

ControlClasses standardControlClasses()
{
    ControlClasses classes;
    classes.add(kProgressBarClass, [] { return std::make_unique<progressbar::XP_ProgressBar>(); });
    return classes;
}

} // namespace plainquill::host
