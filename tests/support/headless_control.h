#pragma once
// One drawn control in the headless host, made from a few stored properties, for the controls'
// tests. The properties wait in `bag` until load(), so a test can also look at a control before
// it is loaded. Colours in expectations are 0x00BBGGRR.
#include "platform/host/headless_host.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

namespace plainquill::testing {

using StoredProperties = std::initializer_list<std::pair<const char*, contracts::PropertyValue>>;

template <class C>
struct HeadlessControl {
    HeadlessControl(StoredProperties stored, host::HeadlessOptions options)
        : host(std::make_unique<C>(), std::move(options)), control(host.controlAs<C>())
    {
        for (const auto& [name, value] : stored)
            bag.WriteProperty(name, value);
    }

    C& load()
    {
        host.load(bag);
        return control;
    }

    contracts::Colour at(int x, int y) const { return host.pixel(x, y); }
    contracts::Colour sys(int index) { return host.graphics().systemColours().sysColor(index); }
    int W() const { return host.clientSize().width; }
    int H() const { return host.clientSize().height; }
    contracts::Point middle() const { return {W() / 2, H() / 2}; }

    // Every pixel of the window that satisfies `match`, as a bounding box (empty when none).
    contracts::Rect boxOf(const std::function<bool(contracts::Colour)>& match) const
    {
        contracts::Rect box{1 << 20, 1 << 20, -1, -1};
        for (int y = 0; y < host.pixels().height(); ++y)
            for (int x = 0; x < host.pixels().width(); ++x)
                if (match(at(x, y)))
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
        return box.right < 0 ? contracts::Rect{} : box;
    }
    int count(contracts::Colour colour, const contracts::Rect& area) const
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += at(x, y) == colour;
        return n;
    }

    contracts::PropertyBag bag;
    host::HeadlessHost host;
    C& control;
};

// A picture of `size` whose pixels come from `colourAt(x, y)`.
template <typename F>
contracts::PictureRef pictureOf(contracts::Size size, F colourAt)
{
    contracts::Bitmap image = contracts::Bitmap::create(size);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            image.setPixel(x, y, colourAt(x, y));
    return contracts::Picture::fromBitmap(image);
}

} // namespace plainquill::testing
