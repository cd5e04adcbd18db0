#include "controls/contracts/picture.h"

#include <cmath>

namespace plainquill::contracts {

namespace {

Size himetricOf(Size pixels)
{
    const auto convert = [](int px) { return static_cast<int>(std::nearbyint(px * kHimetricPerPixel)); };
    return {convert(pixels.width), convert(pixels.height)};
}

bool samePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

} // namespace

std::shared_ptr<const Picture> Picture::empty()
{
    return std::shared_ptr<const Picture>(new Picture(std::monostate{}, {}));
}

std::shared_ptr<const Picture> Picture::fromBitmap(Bitmap bitmap)
{
    if (bitmap.isNull())
        return empty();
    const Size himetric = himetricOf(bitmap.size());
    return std::shared_ptr<const Picture>(new Picture(std::move(bitmap), himetric));
}

std::shared_ptr<const Picture> Picture::fromIcon(Icon icon)
{
    if (icon.isNull())
        return empty();
    const Size himetric = himetricOf(icon.size());
    return std::shared_ptr<const Picture>(new Picture(std::move(icon), himetric));
}

PictureType Picture::Type() const
{
    if (bitmap())
        return PictureType::Bitmap;
    if (icon())
        return PictureType::Icon;
    return PictureType::None;
}

Size Picture::pixelSize() const
{
    if (const Bitmap* b = bitmap())
        return b->size();
    if (const Icon* i = icon())
        return i->size();
    return {};
}

bool Picture::sameImageAs(const Picture& other) const
{
    if (Type() != other.Type())
        return false;
    if (bitmap())
        return samePixels(*bitmap(), *other.bitmap());
    if (icon())
        return samePixels(icon()->maskBitmap(), other.icon()->maskBitmap())
            && samePixels(icon()->colourBitmap(), other.icon()->colourBitmap());
    return true;
}

} // namespace plainquill::contracts
