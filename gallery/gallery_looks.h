#pragma once
// What the gallery sheet shows: for each control class, its looks in rows (a group) of labelled
// cells. Each control adds a function of its own to galleryLooks().
#include "controls/contracts/property_bag.h"
#include "gallery/control_state.h"

#include <string>
#include <vector>

namespace plainquill::gallery {

struct Look {
    std::string group; // the row, e.g. "Scrolling 0 (Segmented), text"
    std::string label; // the cell, e.g. "50 %"
    contracts::Size size;
    contracts::PropertyBag stored;
    ControlState state = ControlState::Normal;
};

struct ClassLooks {
    std::string className;
    std::vector<Look> looks;
};

ClassLooks progressBarLooks();
ClassLooks isButtonLooks();
ClassLooks chameleonButtonLooks();
ClassLooks xpButtonLooks();

// Every class the sheet shows, in order.
std::vector<ClassLooks> galleryLooks();

} // namespace plainquill::gallery
