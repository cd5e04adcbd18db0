// The multi-look button on the sheet: every look in each of its variants, every look in each
// colour scheme, and a picture in each position and with each special effect.
#include "gallery/gallery_looks.h"

#include "controls/registry/standard_controls.h"

#include <array>

namespace plainquill::gallery {

using namespace contracts;

namespace {

constexpr Size kButton{89, 25};
constexpr std::array<const char*, 15> kLookNames{"",         "Outlined",  "Classic",    "Windows XP", "Rounded",
                                                 "Flat frame", "Soft",    "Thin edge",  "Hover edge", "Office",
                                                 "Face only", "Transparent", "Hover 3-D", "Oval",     "Gradient"};
constexpr std::array<const char*, 4> kSchemeNames{"system", "custom", "grey", "parent"};

// A small folder picture: a yellow body with a dark outline on the white mask colour.
PictureRef folder()
{
    Bitmap image = Bitmap::create({14, 12});
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 14; ++x) {
            const bool tab = y < 2 && x < 6;
            const bool body = y >= 2;
            const bool edge =
                (body && (y == 2 || y == 11 || x == 0 || x == 13)) || (tab && (y == 0 || x == 0 || x == 5));
            image.setPixel(x, y, edge ? rgb(128, 96, 0) : (tab || body) ? rgb(255, 214, 90) : kWhite);
        }
    return Picture::fromBitmap(image);
}

PropertyBag button(int look, const char* caption)
{
    PropertyBag bag;
    bag.WriteProperty("BTYPE", std::int64_t{look});
    bag.WriteProperty("TX", std::string(caption));
    return bag;
}

void addVariants(ClassLooks& looks, int look)
{
    const std::string group = "ButtonType " + std::to_string(look) + " (" + kLookNames[look] + ")";
    for (const ControlState state : {ControlState::Normal, ControlState::Hot, ControlState::Pressed,
                                     ControlState::Focused, ControlState::Default, ControlState::Disabled})
        looks.looks.push_back({group, std::string(stateName(state)), kButton, button(look, "Button"), state});
}

void addSchemes(ClassLooks& looks, int scheme)
{
    const std::string group =
        "ColorScheme " + std::to_string(scheme) + " (" + std::string(kSchemeNames[scheme - 1]) + ")";
    for (int look = 1; look <= 14; ++look) {
        PropertyBag bag = button(look, "Button");
        bag.WriteProperty("COLTYPE", std::int64_t{scheme});
        bag.WriteProperty("BCOL", ColourValue{rgb(120, 170, 220)});
        bag.WriteProperty("FCOL", ColourValue{rgb(0, 0, 96)});
        looks.looks.push_back({group, std::to_string(look), kButton, std::move(bag), ControlState::Normal});
    }
}

void addPictures(ClassLooks& looks, const PictureRef& picture)
{
    constexpr std::array<const char*, 5> kPlaces{"left", "right", "above", "below", "behind"};
    for (int place = 0; place < 5; ++place) {
        PropertyBag bag = button(3, "Open");
        bag.WriteProperty("PICN", picture);
        bag.WriteProperty("MCOL", ColourValue{kWhite});
        bag.WriteProperty("PICPOS", std::int64_t{place});
        looks.looks.push_back({"Picture positions (type 3)", kPlaces[place], {89, place == 2 || place == 3 ? 40 : 25},
                               std::move(bag), ControlState::Normal});
    }
    constexpr std::array<const char*, 4> kEffects{"none", "raised", "sunken", "shadowed"};
    for (int effect = 0; effect < 4; ++effect) {
        PropertyBag bag = button(2, "Open");
        bag.WriteProperty("PICN", picture);
        bag.WriteProperty("MCOL", ColourValue{kWhite});
        bag.WriteProperty("FX", std::int64_t{effect});
        looks.looks.push_back({"Special effects (type 2)", kEffects[effect], kButton, std::move(bag),
                               ControlState::Normal});
    }
    for (const int look : {2, 3, 5, 9}) {
        PropertyBag bag = button(look, "Open");
        bag.WriteProperty("PICN", picture);
        bag.WriteProperty("MCOL", ColourValue{kWhite});
        looks.looks.push_back({"Disabled pictures", std::to_string(look), kButton, std::move(bag),
                               ControlState::Disabled});
    }
}

} // namespace

ClassLooks chameleonButtonLooks()
{
    ClassLooks looks{controls::kChameleonButtonClass, {}};
    for (int look = 1; look <= 14; ++look)
        addVariants(looks, look);
    for (int scheme = 1; scheme <= 4; ++scheme)
        addSchemes(looks, scheme);
    addPictures(looks, folder());
    return looks;
}

} // namespace plainquill::gallery
