// At two device pixels per pixel every look of every control is its 1x picture with each pixel
// doubled, except its text, which is drawn again from the same font at the finer resolution.
#include "controls/registry/standard_controls.h"
#include "gallery/control_state.h"
#include "gallery/gallery_looks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace plainquill::gallery {
namespace {

using namespace contracts;

constexpr int kScale = 2;
// Glyphs drawn at the finer resolution may reach a little past the 1x glyphs.
constexpr int kTextMargin = 2;

Bitmap draw(const std::string& className, const Look& look, int scale, bool glyphs)
{
    const std::string name = className.substr(className.find('.') + 1) + "1";
    host::HeadlessHost host(controls::standardControlClasses().make(className),
                            {.name = name, .size = look.size, .scale = scale, .glyphs = glyphs});
    host.load(look.stored);
    bringInto(host, look.state);
    return host.devicePixels().copy();
}

// Where the look's text is: the pixels its glyphs change at 1x, with a margin.
Rect textBox(const Bitmap& withText, const Bitmap& withoutText)
{
    Rect box{withText.width(), withText.height(), 0, 0};
    for (int y = 0; y < withText.height(); ++y)
        for (int x = 0; x < withText.width(); ++x)
            if (withText.pixel(x, y) != withoutText.pixel(x, y))
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box.isEmpty() ? Rect{} : box.inflatedBy(kTextMargin, kTextMargin);
}

// The first device pixel outside `text` that is not its 1x pixel, as "x,y", or "".
std::string firstUndoubledPixel(const Bitmap& device, const Bitmap& logical, const Rect& text)
{
    for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x)
            if (!text.contains({x / kScale, y / kScale}) && device.pixel(x, y) != logical.pixel(x / kScale, y / kScale))
                return std::to_string(x) + "," + std::to_string(y);
    return "";
}

// Edges a doubled picture cannot have: between the two device pixels of one logical pixel.
int edgesWithinBlocks(const Bitmap& device, const Rect& text)
{
    int edges = 0;
    const Rect area = Rect{text.left * kScale, text.top * kScale, text.right * kScale, text.bottom * kScale}
                          .intersectedWith(device.bounds());
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const bool rightInBlock = x % kScale == 0 && x + 1 < area.right;
            const bool belowInBlock = y % kScale == 0 && y + 1 < area.bottom;
            edges += rightInBlock && device.pixel(x, y) != device.pixel(x + 1, y);
            edges += belowInBlock && device.pixel(x, y) != device.pixel(x, y + 1);
        }
    return edges;
}

TEST(DeviceScale, EveryLookIsItsPixelsDoubledWithSharperText)
{
    int looksWithText = 0;
    for (const ClassLooks& entry : galleryLooks())
        for (const Look& look : entry.looks) {
            const std::string where = entry.className + " / " + look.group + " / " + look.label;
            const Bitmap logical = draw(entry.className, look, 1, true);
            const Bitmap device = draw(entry.className, look, kScale, true);
            ASSERT_EQ(device.size(), (Size{logical.width() * kScale, logical.height() * kScale})) << where;
            const Rect text = textBox(logical, draw(entry.className, look, 1, false));
            EXPECT_EQ(firstUndoubledPixel(device, logical, text), "") << where << " box " << text.left << "," << text.top << "," << text.right << "," << text.bottom;
            if (text.isEmpty())
                continue;
            ++looksWithText;
            EXPECT_GT(edgesWithinBlocks(device, text), 0) << where << ": the text is the 1x text enlarged";
        }
    EXPECT_GT(looksWithText, 10); // the comparison above must have met text
}

} // namespace
} // namespace plainquill::gallery
