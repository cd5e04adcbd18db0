// isButton on the sheet: every look in the states a user meets, and an icon at each alignment.
#include "gallery/gallery_looks.h"

#include "controls/registry/standard_controls.h"

#include <array>

namespace plainquill::gallery {

using namespace contracts;

namespace {

constexpr std::array<const char*, 11> kLookNames{"Standard", "Soft",     "Flat",     "Framed", "Highlight", "BlueSkin",
                                                 "Themed",   "FaceSkin", "Gradient", "Glossy", "Rounded"};
constexpr std::array<const char*, 5> kAlignNames{"Center", "Left", "Right", "Top", "Bottom"};
constexpr std::array<ControlState, 6> kStates{ControlState::Normal,   ControlState::Hot,     ControlState::Pressed,
                                              ControlState::Disabled, ControlState::Focused, ControlState::Default};
constexpr Size kButton{89, 25};
constexpr Size kTallButton{89, 44};

// A 16 x 16 icon: a green disc with a white highlight, transparent outside the disc.
PictureRef discIcon()
{
    Bitmap colour = Bitmap::create({16, 16});
    Bitmap mask = Bitmap::create({16, 16}, Bitmap::Format::Monochrome);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int dx = 2 * x - 15, dy = 2 * y - 15;
            const bool inside = dx * dx + dy * dy <= 15 * 15;
            const bool shine = (2 * x - 10) * (2 * x - 10) + (2 * y - 10) * (2 * y - 10) <= 16;
            mask.setPixel(x, y, inside ? kBlack : kWhite);
            colour.setPixel(x, y, !inside ? kBlack : shine ? kWhite : rgb(40, 150, 60));
        }
    return Picture::fromIcon(Icon::createIndirect({mask, colour}));
}

} // namespace

ClassLooks isButtonLooks()
{
    ClassLooks looks{controls::kIsButtonClass, {}};
    const PictureRef icon = discIcon();
    for (const int style : {0, 1, 2, 3, 4, 6, 5, 7, 8, 9, 10}) {
        const std::string group = "Style " + std::to_string(style) + " (" + kLookNames[style] + ")";
        for (const ControlState state : kStates) {
            Look look{group, std::string(stateName(state)), kButton, {}, state};
            look.stored.WriteProperty("Style", std::int64_t{style});
            look.stored.WriteProperty("Caption", std::string("Start"));
            look.stored.WriteProperty("Icon", icon);
            looks.looks.push_back(std::move(look));
        }
    }
    for (const int style : {0, 4}) {
        for (const ControlState state : {ControlState::Normal, ControlState::Hot, ControlState::Disabled}) {
            const std::string group = "Icon at each alignment, style " + std::to_string(style) + " (" +
                                      kLookNames[style] + "), " + std::string(stateName(state));
            for (int align = 0; align < 5; ++align) {
                Look look{group, kAlignNames[align], kTallButton, {}, state};
                look.stored.WriteProperty("Style", std::int64_t{style});
                look.stored.WriteProperty("Caption", std::string(""));
                look.stored.WriteProperty("Icon", icon);
                look.stored.WriteProperty("IconAlign", std::int64_t{align});
                looks.looks.push_back(std::move(look));
            }
        }
    }
    return looks;
}

} // namespace plainquill::gallery
