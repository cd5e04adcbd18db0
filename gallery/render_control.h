#pragma once
// One control, loaded in run mode through ReadProperties and brought into a state, rendered to
// exactly its surface's pixels, as a screen of the presentation's scale shows them and composed
// through the control's window shape over the backdrop.
#include "controls/contracts/bitmap.h"
#include "controls/contracts/control_classes.h"
#include "controls/contracts/property_bag.h"
#include "gallery/control_state.h"
#include "gallery/presentation.h"

#include <string>
#include <variant>

namespace plainquill::gallery {

struct RenderFailure {
    std::string message;
};

// The pixels, or why there are none: an unknown class, a stored key the control does not read
// (matched without regard to case), or a stored value it could not read (any error a
// notification ended with).
std::variant<contracts::Bitmap, RenderFailure> renderControl(const contracts::ControlClasses& classes,
                                                             const std::string& className, contracts::Size size,
                                                             const contracts::PropertyBag& stored,
                                                             ControlState state,
                                                             const Presentation& presentation = {});

} // namespace plainquill::gallery
