#include "controls/registry/standard_controls.h"

#include "controls/chameleonbutton/chameleon_button.h"
#include "controls/isbutton/is_button.h"
#include "controls/progressbar/xp_progress_bar.h"
#include "controls/xpbutton/xp_button.h"

namespace plainquill::controls {

contracts::ControlClasses standardControlClasses()
{
    contracts::ControlClasses classes;
    classes.add(kProgressBarClass, [] { return std::make_unique<progressbar::XP_ProgressBar>(); });
    classes.add(kIsButtonClass, [] { return std::make_unique<isbutton::isButton>(); });
    classes.add(kChameleonButtonClass, [] { return std::make_unique<chameleon::chameleonButton>(); });
    classes.add(kXpButtonClass, [] { return std::make_unique<xpbutton::XpB>(); });
    return classes;
}

} // namespace plainquill::controls
