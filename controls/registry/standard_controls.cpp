#include "controls/registry/standard_controls.h"

#include "controls/progressbar/xp_progress_bar.h"

namespace plainquill::controls {

contracts::ControlClasses standardControlClasses()
{
    contracts::ControlClasses classes;
    classes.add(kProgressBarClass, [] { return std::make_unique<progressbar::XP_ProgressBar>(); });
    return classes;
}

} // namespace plainquill::controls
