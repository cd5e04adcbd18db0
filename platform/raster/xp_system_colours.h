#pragma once
// The system colours of the blue XP-style scheme the controls' looks are drawn for, fixed so that
// every control looks the same whatever the desktop's palette is.
#include "controls/contracts/system_colours.h"

namespace plainquill::raster {

class XpSystemColours final : public contracts::SystemColours {
public:
    contracts::Colour sysColor(int index) const override;
};

// The one shared, immutable instance.
const contracts::SystemColours& xpSystemColours();

} // namespace plainquill::raster
