#pragma once
// The gallery's command line:
//   plainquill-gallery [--out FILE.png] [--scale N] [--backdrop COLOUR]
//       the sheet of every look of every control (default gallery.png in the current folder);
//   plainquill-gallery --control CLASS --size WxH [--set KEY=VALUE]... [--state STATE]
//                      [--scale N] [--backdrop COLOUR] --out FILE.png
//       one instance of CLASS, loaded with those stored values, in STATE, exactly its pixels.
// Both show the controls as a window does: through their window shapes over the backdrop (the
// window's background unless --backdrop names a colour), at N device pixels per pixel (1 to 4).
// Values: whole numbers in decimal or 0x hexadecimal, true or false, @FILE for a picture, else
// text.
#include "controls/contracts/geometry.h"
#include "controls/contracts/property_bag.h"
#include "gallery/control_state.h"
#include "gallery/presentation.h"

#include <string>
#include <variant>
#include <vector>

namespace plainquill::gallery {

struct SheetRequest {
    std::string out = "gallery.png";
    Presentation presentation;
};

struct SingleRequest {
    std::string className;
    contracts::Size size;
    contracts::PropertyBag stored;
    ControlState state = ControlState::Normal;
    std::string out;
    Presentation presentation;
};

struct HelpRequest {};

struct UsageError {
    std::string message;
};

using Request = std::variant<SheetRequest, SingleRequest, HelpRequest, UsageError>;

Request parseCommandLine(const std::vector<std::string>& arguments);

// "KEY=VALUE" as a stored value; UsageError for a missing "=", an empty key or a picture file
// that cannot be read.
std::variant<std::pair<std::string, contracts::PropertyValue>, UsageError> parseSetting(const std::string& setting);

std::string usage();

} // namespace plainquill::gallery
