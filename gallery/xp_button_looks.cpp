// The XP-look button on the sheet: each look in each state, the picture in its four positions,
// the bevel rings, a transparent button over a picture and a wrapping caption.
#include "gallery/gallery_looks.h"

#include "controls/registry/standard_controls.h"

#include <array>

namespace plainquill::gallery {

using namespace contracts;

namespace {

constexpr std::array<const char*, 5> kLookNames{"raised", "raised", "flat", "XP", "bare"};
constexpr std::array<ControlState, 5> kStates{ControlState::Normal, ControlState::Hot, ControlState::Pressed,
                                              ControlState::Focused, ControlState::Disabled};
constexpr Size kButton{89, 25};
constexpr Size kTall{89, 52};

// A blue diamond on black, the button's default transparent colour.
PictureRef diamond()
{
    Bitmap b = Bitmap::create({12, 12});
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const int d = std::abs(2 * x - 11) + std::abs(2 * y - 11);
            b.setPixel(x, y, d <= 9 ? (d <= 5 ? rgb(90, 150, 240) : rgb(20, 60, 160)) : kBlack);
        }
    return Picture::fromBitmap(b);
}

Look look(std::string group, std::string label, Size size, ControlState state,
          std::initializer_list<std::pair<const char*, PropertyValue>> stored)
{
    Look l{std::move(group), std::move(label), size, {}, state};
    for (const auto& [key, value] : stored)
        l.stored.WriteProperty(key, value);
    return l;
}

// The picture at its natural size, as a form designer stores it.
Look withPicture(Look l, const PictureRef& picture)
{
    l.stored.WriteProperty("Picture", picture);
    for (const char* key : {"PictureWidth", "PictureHeight", "OriginalPicSizeW", "OriginalPicSizeH"})
        l.stored.WriteProperty(key, std::int64_t{12});
    return l;
}

} // namespace

ClassLooks xpButtonLooks()
{
    ClassLooks looks{controls::kXpButtonClass, {}};
    const PictureRef picture = diamond();
    for (std::int64_t style = 0; style < 5; ++style) {
        const std::string group = "ButtonStyle " + std::to_string(style) + " (" + kLookNames[style] + ")";
        for (const ControlState state : kStates)
            looks.looks.push_back(withPicture(look(group, std::string(stateName(state)), kButton, state,
                                                   {{"ButtonStyle", style}, {"Caption", std::string("&Help")}}),
                                              picture));
    }
    for (const std::int64_t style : {2, 3}) {
        const std::string group = "ButtonStyle " + std::to_string(style) + ", PicturePosition 0 to 3";
        for (std::int64_t position = 0; position < 4; ++position)
            looks.looks.push_back(withPicture(look(group, "position " + std::to_string(position), kTall,
                                                   ControlState::Normal,
                                                   {{"ButtonStyle", style}, {"Caption", std::string("Help")},
                                                    {"PicturePosition", position}}),
                                              picture));
    }
    for (const std::int64_t bevel : {1, 2, 3, 5})
        looks.looks.push_back(look("ButtonStyle 0, BEVEL 1 to 5", "BEVEL " + std::to_string(bevel), kButton,
                                   ControlState::Normal,
                                   {{"ButtonStyle", std::int64_t{0}}, {"BEVEL", bevel},
                                    {"Caption", std::string("Bevel")}}));
    looks.looks.push_back(look("Other", "caption wraps", kTall, ControlState::Normal,
                               {{"ButtonStyle", std::int64_t{3}},
                                {"Caption", std::string("A caption far too long for one line")}}));
    looks.looks.push_back(look("Other", "own focus colour", kButton, ControlState::Focused,
                               {{"ButtonStyle", std::int64_t{3}}, {"XPDefaultColors", false},
                                {"XPColor_Pressed", ColourValue{rgb(0, 160, 0)}}, {"Caption", std::string("Focus")}}));
    looks.looks.push_back(withPicture(look("Other", "own hover colour", kButton, ControlState::Hot,
                                           {{"XPDefaultColors", false},
                                            {"XPColor_Hover", ColourValue{rgb(255, 220, 150)}},
                                            {"Caption", std::string("Hover")}}),
                                      picture));
    return looks;
}

} // namespace plainquill::gallery
