#pragma once
// The system colours of the default desktop scheme the controls were designed against (the
// blue "Luna" scheme of Windows XP), so every control looks as designed whatever the Linux
// desktop's palette is.
#include "controls/contracts/system_colours.h"

namespace plainquill::raster {

class XpSystemColours final : public contracts::SystemColours {
public:
    contracts::Colour sysColor(int index) const override;
};

// The one shared, immutable instance.
const contracts::SystemColours& xpSystemColours();

} // namespace plainquill::raster
