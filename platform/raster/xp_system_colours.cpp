#include "platform/raster/xp_system_colours.h"

#include <array>

namespace plainquill::raster {

using contracts::Colour;
using contracts::rgb;

namespace {

constexpr std::array<Colour, contracts::kSysColourCount> kLuna = {
    rgb(212, 208, 200), //  0 COLOR_SCROLLBAR
    rgb(0, 78, 152),    //  1 COLOR_BACKGROUND
    rgb(0, 84, 227),    //  2 COLOR_ACTIVECAPTION
    rgb(122, 150, 223), //  3 COLOR_INACTIVECAPTION
    rgb(255, 255, 255), //  4 COLOR_MENU
    rgb(255, 255, 255), //  5 COLOR_WINDOW
    rgb(0, 0, 0),       //  6 COLOR_WINDOWFRAME
    rgb(0, 0, 0),       //  7 COLOR_MENUTEXT
    rgb(0, 0, 0),       //  8 COLOR_WINDOWTEXT
    rgb(255, 255, 255), //  9 COLOR_CAPTIONTEXT
    rgb(212, 208, 200), // 10 COLOR_ACTIVEBORDER
    rgb(212, 208, 200), // 11 COLOR_INACTIVEBORDER
    rgb(128, 128, 128), // 12 COLOR_APPWORKSPACE
    rgb(49, 106, 197),  // 13 COLOR_HIGHLIGHT
    rgb(255, 255, 255), // 14 COLOR_HIGHLIGHTTEXT
    rgb(236, 233, 216), // 15 COLOR_BTNFACE
    rgb(172, 168, 153), // 16 COLOR_BTNSHADOW
    rgb(172, 168, 153), // 17 COLOR_GRAYTEXT
    rgb(0, 0, 0),       // 18 COLOR_BTNTEXT
    rgb(216, 228, 248), // 19 COLOR_INACTIVECAPTIONTEXT
    rgb(255, 255, 255), // 20 COLOR_BTNHIGHLIGHT
    rgb(113, 111, 100), // 21 COLOR_3DDKSHADOW
    rgb(241, 239, 226), // 22 COLOR_3DLIGHT
    rgb(0, 0, 0),       // 23 COLOR_INFOTEXT
    rgb(255, 255, 225), // 24 COLOR_INFOBK
    rgb(181, 181, 181), // 25 COLOR_ALTERNATEBTNFACE
    rgb(0, 0, 128),     // 26 COLOR_HOTLIGHT
    rgb(61, 149, 255),  // 27 COLOR_GRADIENTACTIVECAPTION
    rgb(157, 185, 235), // 28 COLOR_GRADIENTINACTIVECAPTION
    rgb(49, 106, 197),  // 29 COLOR_MENUHILIGHT
    rgb(236, 233, 216), // 30 COLOR_MENUBAR
};

} // namespace

Colour XpSystemColours::sysColor(int index) const
{
    if (index < 0 || index >= contracts::kSysColourCount)
        return 0;
    return kLuna[static_cast<std::size_t>(index)];
}

const contracts::SystemColours& xpSystemColours()
{
    static const XpSystemColours colours;
    return colours;
}

} // namespace plainquill::raster
