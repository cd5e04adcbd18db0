#pragma once
// The container's picture object: a bitmap or an icon with its size in HIMETRIC (hundredths of a
// millimetre), held by reference and never changed once made. An "empty" picture is an object
// without an image, which is not the same as having no picture at all (a null PictureRef).
#include "controls/contracts/bitmap.h"
#include "controls/contracts/geometry.h"

#include <cstdint>
#include <memory>
#include <variant>

namespace plainquill::contracts {

// The platform's picture type numbers, as a control reads them from `Type`.
enum class PictureType : int { None = 0, Bitmap = 1, Metafile = 2, Icon = 3 };

// HIMETRIC per pixel at 96 pixels per inch: 2540 / 96.
inline constexpr double kHimetricPerPixel = 2540.0 / 96.0;

class Picture {
public:
    static std::shared_ptr<const Picture> empty();
    // A null bitmap or icon gives an empty picture.
    static std::shared_ptr<const Picture> fromBitmap(Bitmap bitmap);
    static std::shared_ptr<const Picture> fromIcon(Icon icon);

    PictureType Type() const;
    // Size in HIMETRIC, rounded from the pixel size (halves to even); 0 x 0 when empty.
    std::int32_t Width() const { return m_himetric.width; }
    std::int32_t Height() const { return m_himetric.height; }
    Size pixelSize() const;

    // The image itself; null when the picture is not of that type.
    const Bitmap* bitmap() const { return std::get_if<Bitmap>(&m_image); }
    const Icon* icon() const { return std::get_if<Icon>(&m_image); }

    // Same kind and same pixels.
    bool sameImageAs(const Picture& other) const;

private:
    using Image = std::variant<std::monostate, Bitmap, Icon>;
    Picture(Image image, Size himetric) : m_image(std::move(image)), m_himetric(himetric) {}

    Image m_image;
    Size m_himetric;
};

using PictureRef = std::shared_ptr<const Picture>;

} // namespace plainquill::contracts
