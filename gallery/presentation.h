#pragma once
// How the gallery shows a control: as the window would. At `scale` device pixels per logical
// pixel (a high-density screen), and through the control's window shape: what lies outside the
// shape is not the control's, so the backdrop shows there.
#include "controls/contracts/bitmap.h"
#include "controls/contracts/region.h"

#include <optional>
#include <string>
#include <variant>

namespace plainquill::gallery {

constexpr int kMaxScale = 4;

struct Presentation {
    int scale = 1;                            // 1 .. kMaxScale
    std::optional<contracts::Colour> backdrop; // the window's background when not given
};

// The colour a window's background has in this application's style. Needs a QGuiApplication.
contracts::Colour windowBackground();

// "#RRGGBB" or a colour name Qt knows ("white", "darkslategray"); an error message otherwise.
std::variant<contracts::Colour, std::string> parseColour(const std::string& text);

// `device` (the window's pixels at `scale`) with every device pixel whose logical pixel lies
// outside `shape` set to `backdrop`; no shape keeps every pixel.
contracts::Bitmap composeThroughShape(const contracts::Bitmap& device, int scale,
                                      const std::optional<contracts::Region>& shape, contracts::Colour backdrop);

} // namespace plainquill::gallery
