// The progress bar on the sheet: every style at 0, 50 and 100 %, without and with its text, and
// styles 0 to 2 also upright.
#include "gallery/gallery_looks.h"

#include "controls/registry/standard_controls.h"

#include <array>

namespace plainquill::gallery {

using namespace contracts;

namespace {

constexpr std::array<const char*, 10> kStyleNames{"Segmented", "Smooth", "Searching", "Flat",     "Etched",
                                                  "Shaded",    "Dark",   "Hatched",   "Patterned", "Metallic"};
constexpr Size kLying{160, 22};
constexpr Size kUpright{24, 110};

// Style 8 fills with a picture: small blue and white diagonal stripes.
PictureRef stripes()
{
    Bitmap pattern = Bitmap::create({8, 8});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            pattern.setPixel(x, y, ((x + y) % 4 < 2) ? rgb(49, 106, 197) : kWhite);
    return Picture::fromBitmap(pattern);
}

void addRow(ClassLooks& looks, int style, bool upright, bool text, const PictureRef& image)
{
    std::string group = "Scrolling " + std::to_string(style) + " (" + kStyleNames[style] + ")";
    group += upright ? ", upright" : "";
    group += text ? ", text" : "";
    for (const int percent : {0, 50, 100}) {
        Look look{group, std::to_string(percent) + " %", upright ? kUpright : kLying, {}, ControlState::Normal};
        look.stored.WriteProperty("Scrolling", std::int64_t{style});
        look.stored.WriteProperty("Orientation", std::int64_t{upright ? 1 : 0});
        look.stored.WriteProperty("ShowText", text);
        look.stored.WriteProperty("Value", std::int64_t{percent});
        if (style == 8)
            look.stored.WriteProperty("Image", image);
        looks.looks.push_back(std::move(look));
    }
}

} // namespace

ClassLooks progressBarLooks()
{
    ClassLooks looks{controls::kProgressBarClass, {}};
    const PictureRef image = stripes();
    for (int style = 0; style < 10; ++style)
        for (const bool text : {false, true})
            addRow(looks, style, false, text, image);
    for (int style = 0; style < 3; ++style)
        for (const bool text : {false, true})
            addRow(looks, style, true, text, image);
    return looks;
}

} // namespace plainquill::gallery
