#pragma once
// Bitmaps and icons, the platform's bitmap and icon handles as plain C++ types.
//
// A Bitmap is a handle: copies share the same pixels, exactly like two variables holding one
// HBITMAP, so drawing into a memory DC that has the bitmap selected changes what every copy sees.
// The pixels are freed with the last handle (DeleteObject is "let it go out of scope").
// Use copy() for a second, independent bitmap.
//
// Two formats exist, as on a 32-bit display: 32-bit colour (each pixel 0x00BBGGRR) and
// monochrome (1 bit per pixel; stored here as 0x000000 for a 0 bit and 0xFFFFFF for a 1 bit).
// Controls draw on bitmaps through a Dc (drawing_surface.h); the raw pixel access below is for
// the platform and the host (loading pictures), and for reading results in tests.
#include "controls/contracts/colour.h"
#include "controls/contracts/geometry.h"

#include <cassert>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace plainquill::contracts {

class Bitmap {
public:
    enum class Format { Colour32, Monochrome };

    Bitmap() = default; // no bitmap: what a failed creation gives

    // CreateCompatibleBitmap / CreateBitmap without bits: every pixel black (0).
    // A size without area gives no bitmap.
    static Bitmap create(Size size, Format format = Format::Colour32)
    {
        if (size.isEmpty())
            return {};
        Bitmap b;
        b.m_pixels = std::make_shared<Pixels>(Pixels{size.width, size.height, format,
                                                     std::vector<std::uint32_t>(area(size), kBlack)});
        return b;
    }

    // CreateBitmap(w, h, 1, 1, bits): rows of 1-bit pixels, the leftmost pixel in the highest bit,
    // each row padded to a multiple of 16 bits; a 1 bit is white. Too few bytes gives no bitmap.
    static Bitmap createMonochrome(Size size, std::span<const std::uint8_t> bits)
    {
        const int stride = ((size.width + 15) / 16) * 2;
        if (size.isEmpty() || bits.size() < static_cast<std::size_t>(stride) * size.height)
            return {};
        Bitmap b = create(size, Format::Monochrome);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x) {
                const bool set = bits[y * stride + x / 8] & (0x80 >> (x % 8));
                b.setPixel(x, y, set ? kWhite : kBlack);
            }
        return b;
    }

    bool isNull() const { return !m_pixels; }
    explicit operator bool() const { return !isNull(); }

    // GetObjectA(BITMAP): size and depth.
    int width() const { return m_pixels ? m_pixels->width : 0; }
    int height() const { return m_pixels ? m_pixels->height : 0; }
    Size size() const { return {width(), height()}; }
    Format format() const { return m_pixels ? m_pixels->format : Format::Colour32; }
    bool isMonochrome() const { return format() == Format::Monochrome; }
    int bitsPerPixel() const { return isMonochrome() ? 1 : 32; }
    Rect bounds() const { return {0, 0, width(), height()}; }

    // Raw pixels; (x, y) must lie inside. Writing a monochrome bitmap keeps it two-coloured:
    // a colour becomes white when it is nearer white than black.
    Colour pixel(int x, int y) const { return m_pixels->data[index(x, y)]; }
    void setPixel(int x, int y, Colour c)
    {
        m_pixels->data[index(x, y)] = isMonochrome() ? nearestMonochrome(c) : (c & 0x00FFFFFFu);
    }
    std::uint32_t* row(int y) { return m_pixels->data.data() + static_cast<std::size_t>(y) * width(); }
    const std::uint32_t* row(int y) const { return m_pixels->data.data() + static_cast<std::size_t>(y) * width(); }

    // A new bitmap with the same pixels and format.
    Bitmap copy() const
    {
        Bitmap b;
        if (m_pixels)
            b.m_pixels = std::make_shared<Pixels>(*m_pixels);
        return b;
    }

    // Whether two handles name the same bitmap.
    bool sharesPixelsWith(const Bitmap& other) const { return m_pixels && m_pixels == other.m_pixels; }

    // The colour a monochrome surface shows for c: white when r + g + b is nearer 3 x 255 than 0.
    static constexpr Colour nearestMonochrome(Colour c)
    {
        return redOf(c) + greenOf(c) + blueOf(c) >= 383 ? kWhite : kBlack;
    }

private:
    struct Pixels {
        int width;
        int height;
        Format format;
        std::vector<std::uint32_t> data;
    };

    static std::size_t area(Size s) { return static_cast<std::size_t>(s.width) * static_cast<std::size_t>(s.height); }
    std::size_t index(int x, int y) const
    {
        assert(x >= 0 && y >= 0 && x < width() && y < height());
        return static_cast<std::size_t>(y) * m_pixels->width + x;
    }

    std::shared_ptr<Pixels> m_pixels;
};

// ICONINFO for a colour icon: an AND mask (monochrome, 1 = transparent) and a colour image
// (XORed onto the masked background) of the same size.
struct IconInfo {
    Bitmap mask;
    Bitmap colour;
};

// An icon owns private copies of its two bitmaps; DestroyIcon is letting it go out of scope.
class Icon {
public:
    Icon() = default; // no icon

    // CreateIconIndirect: copies both bitmaps (the caller keeps and frees its own). The mask is
    // made monochrome if it is not; a missing bitmap or a size mismatch gives no icon.
    static Icon createIndirect(const IconInfo& info)
    {
        if (info.mask.isNull() || info.colour.isNull() || info.mask.size() != info.colour.size())
            return {};
        Icon icon;
        icon.m_mask = Bitmap::create(info.mask.size(), Bitmap::Format::Monochrome);
        for (int y = 0; y < info.mask.height(); ++y)
            for (int x = 0; x < info.mask.width(); ++x)
                icon.m_mask.setPixel(x, y, info.mask.pixel(x, y));
        icon.m_colour = info.colour.copy();
        return icon;
    }

    // GetIconInfo: fresh copies of the mask and colour bitmaps, owned by the caller.
    IconInfo info() const { return {m_mask.copy(), m_colour.copy()}; }

    bool isNull() const { return m_colour.isNull(); }
    explicit operator bool() const { return !isNull(); }
    Size size() const { return m_colour.size(); }

    // Read-only views for the platform's drawing code.
    const Bitmap& maskBitmap() const { return m_mask; }
    const Bitmap& colourBitmap() const { return m_colour; }

private:
    Bitmap m_mask;
    Bitmap m_colour;
};

} // namespace plainquill::contracts
