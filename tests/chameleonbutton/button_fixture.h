#pragma once
// A chameleonButton loaded in the headless host from a few stored properties. Colours in
// expectations are 0x00BBGGRR.
#include "controls/chameleonbutton/chameleon_button.h"
#include "platform/host/headless_host.h"

#include <initializer_list>
#include <utility>

namespace plainquill::chameleon::testing {

using namespace contracts;

struct Button {
    Button(std::initializer_list<std::pair<const char*, PropertyValue>> stored, host::HeadlessOptions options = {})
        : host(std::make_unique<chameleonButton>(), withName(std::move(options))),
          button(host.controlAs<chameleonButton>())
    {
        for (const auto& [name, value] : stored)
            bag.WriteProperty(name, value);
    }
    Button& load()
    {
        host.load(bag);
        return *this;
    }
    Colour at(int x, int y) const { return host.pixel(x, y); }
    Colour sys(int index) { return host.graphics().systemColours().sysColor(index); }

    static host::HeadlessOptions withName(host::HeadlessOptions options)
    {
        options.name = "chameleonButton1";
        if (options.size == Size{100, 30})
            options.size = {89, 25};
        return options;
    }

    PropertyBag bag;
    host::HeadlessHost host;
    chameleonButton& button;
};

// A picture of `size` whose pixels come from `colourAt(x, y)`.
template <typename F>
PictureRef pictureOf(Size size, F colourAt)
{
    Bitmap image = Bitmap::create(size);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            image.setPixel(x, y, colourAt(x, y));
    return Picture::fromBitmap(image);
}

} // namespace plainquill::chameleon::testing
