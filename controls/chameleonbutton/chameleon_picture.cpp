// The picture: its transfer with a transparent colour, greyscale, blending and silhouettes, the
// lifted and embossed variants each look asks for, and the parent background of the transparent
// look.
#include "controls/chameleonbutton/chameleon_button.h"

#include <cmath>
#include <vector>

namespace plainquill::chameleon {

using namespace contracts;

namespace {

// A dark pixel is one whose channels add up to at most half of white's.
constexpr int kDarkLimit = 384;

int roundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

// The picture as a w x h bitmap. What the picture does not cover (an icon's transparent parts, or a
// picture smaller than the area) is the transparent colour, so it lets the surface show through.
Bitmap sourceImage(const Dc& like, const Picture& picture, int w, int h, Colour transparent)
{
    std::unique_ptr<Dc> canvas = like.createCompatibleDc();
    const Bitmap image = like.createCompatibleBitmap({w, h});
    const Bitmap old = canvas->selectBitmap(image);
    canvas->fillRect({0, 0, w, h}, Brush::solid(transparent));
    if (const Bitmap* bitmap = picture.bitmap()) {
        std::unique_ptr<Dc> source = like.createCompatibleDc();
        const Bitmap oldSource = source->selectBitmap(*bitmap);
        canvas->bitBlt(0, 0, w, h, source.get(), 0, 0, SRCCOPY);
        source->selectBitmap(oldSource);
    } else if (const Icon* icon = picture.icon()) {
        canvas->drawIconEx(0, 0, *icon, 0, 0, nullptr, DI_NORMAL);
    }
    canvas->selectBitmap(old);
    return image;
}

// The w x h block of `target` at (x, y), copied into a bitmap of its own.
Bitmap copyOfArea(Dc& target, int x, int y, int w, int h)
{
    std::unique_ptr<Dc> copyDc = target.createCompatibleDc();
    const Bitmap copy = target.createCompatibleBitmap({w, h});
    const Bitmap old = copyDc->selectBitmap(copy);
    copyDc->bitBlt(0, 0, w, h, &target, x, y, SRCCOPY);
    copyDc->selectBitmap(old);
    return copy;
}

// How one pixel of the picture goes onto the surface: left out when it is the transparent colour,
// else as one solid colour (only the dark pixels when darkOnly), in grey, blended two to one with
// the surface, or as it is.
struct PixelTransfer {
    bool useMaskColor;
    Colour transparent;
    std::optional<Colour> solid;
    bool darkOnly, grey, blend;

    // `s` and `d` point at one pixel's blue, green and red bytes.
    void apply(const std::uint8_t* s, std::uint8_t* d) const
    {
        const int blue = s[0], green = s[1], red = s[2];
        if (useMaskColor && rgb(red, green, blue) == transparent)
            return;
        if (solid) {
            if (darkOnly && red + green + blue > kDarkLimit)
                return;
            d[0] = static_cast<std::uint8_t>(blueOf(*solid));
            d[1] = static_cast<std::uint8_t>(greenOf(*solid));
            d[2] = static_cast<std::uint8_t>(redOf(*solid));
        } else if (grey) {
            const int g = roundHalfEven(roundHalfEven(red * 0.3) + green * 0.59 + blue * 0.11);
            d[0] = d[1] = d[2] = static_cast<std::uint8_t>(g);
        } else if (blend) {
            d[0] = static_cast<std::uint8_t>((2 * blue + d[0]) / 3);
            d[1] = static_cast<std::uint8_t>((2 * green + d[1]) / 3);
            d[2] = static_cast<std::uint8_t>((2 * red + d[2]) / 3);
        } else {
            d[0] = static_cast<std::uint8_t>(blue);
            d[1] = static_cast<std::uint8_t>(green);
            d[2] = static_cast<std::uint8_t>(red);
        }
    }
};

} // namespace

// One pass over both pictures in memory and one transfer back, whatever the picture's size; rows
// are padded to whole 4-byte words, so the arithmetic works per row, never on the whole array.
void chameleonButton::BlitPicture(int x, int y, int w, int h, const Picture& picture, Colour transparent,
                                  std::optional<Colour> solid, bool darkOnly, bool grey, bool blend)
{
    if (w == 0 || h == 0)
        return;
    const Size own = picture.pixelSize();
    w = w < 0 ? own.width : w;
    h = h < 0 ? own.height : h;
    if (w <= 0 || h <= 0)
        return;
    Dc& target = dc();
    const Bitmap source = sourceImage(target, picture, w, h, transparent);
    const Bitmap destination = copyOfArea(target, x, y, w, h);

    const DibInfo info{.width = w, .height = h, .bitCount = 24};
    std::vector<std::uint8_t> src(info.byteSize());
    std::vector<std::uint8_t> dst(info.byteSize());
    if (target.getDIBits(source, 0, h, src, info) != h || target.getDIBits(destination, 0, h, dst, info) != h)
        return;

    const PixelTransfer transfer{m_useMaskColor, transparent, solid, darkOnly, grey, blend};
    const int stride = info.stride();
    for (int row = 0; row < h; ++row) {
        for (int column = 0; column < w; ++column) {
            const std::size_t at = static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(column) * 3;
            transfer.apply(&src[at], &dst[at]);
        }
    }
    target.setDIBitsToDevice(x, y, w, h, 0, 0, 0, h, dst, info);
}

void chameleonButton::NormalTransfer(const Picture& picture, int dx, int dy)
{
    BlitPicture(m_pictureX + dx, m_pictureY + dy, m_picWidth, m_picHeight, picture, m_palette.maskRGB, std::nullopt,
                false, false, false);
}

void chameleonButton::Silhouette(const Picture& picture, Colour colour, int x, int y, bool darkOnly)
{
    BlitPicture(x, y, m_picWidth, m_picHeight, picture, m_palette.maskRGB, colour, darkOnly, false, false);
}

void chameleonButton::DrawPictureEffect(int lift, const Picture& picture)
{
    if (m_specialEffect <= NoEffect)
        return;
    Colour base = m_palette.officeFill;
    if (m_buttonType == WindowsXP)
        base = m_palette.xpFace;
    else if (lift != -1 || m_colorScheme == Custom)
        base = m_palette.face;
    const int a = m_specialEffect == Sunken ? 40 : -40;
    Silhouette(picture, Shift(base, a), m_pictureX + lift + 1, m_pictureY + lift + 1, false);
    if (m_specialEffect == Raised || m_specialEffect == Sunken)
        Silhouette(picture, Shift(base, -a), m_pictureX + lift - 1, m_pictureY + lift - 1, false);
}

// pictureState: 0 up, 1 down, 2 disabled.
void chameleonButton::DrawPicture(int pictureState)
{
    if (!m_pictureNormal)
        return;
    if (pictureState == 0)
        DrawPictureUp();
    else if (pictureState == 1)
        DrawPictureDown();
    else
        DrawPictureDisabled();
    if (m_picturePosition == PictureBehind)
        DrawCaption(m_lastCaptionStyle);
}

void chameleonButton::DrawPictureUp()
{
    const Picture& normal = *m_pictureNormal;
    const Palette& p = m_palette;
    if (!m_isOver) {
        DrawPictureEffect(0, normal);
        BlitPicture(m_pictureX, m_pictureY, m_picWidth, m_picHeight, normal, p.maskRGB, std::nullopt, false,
                    m_useGreyscale, m_buttonType == OfficeBar);
    } else if (m_buttonType == OfficeBar) {
        // Lifted: a shadow below right, the picture itself up left.
        DrawPictureEffect(-1, normal);
        Silhouette(normal, p.shadow, m_pictureX + 1, m_pictureY + 1, false);
        NormalTransfer(normal, -1, -1);
    } else {
        const Picture& shown = m_pictureOver ? *m_pictureOver : normal;
        DrawPictureEffect(0, shown);
        NormalTransfer(shown, 0, 0);
    }
}

void chameleonButton::DrawPictureDown()
{
    const Picture& normal = *m_pictureNormal;
    const int type = m_buttonType;
    if (m_pictureOver && type != OfficeBar) {
        const int shift = type == FlatFrame ? 0 : 1;
        NormalTransfer(*m_pictureOver, shift, shift);
    } else if (type == FlatFrame || type == OfficeBar) {
        DrawPictureEffect(0, normal);
        NormalTransfer(normal, 0, 0);
    } else {
        DrawPictureEffect(1, normal);
        NormalTransfer(normal, 1, 1);
    }
}

void chameleonButton::DrawPictureDisabled()
{
    const Picture& normal = *m_pictureNormal;
    const int type = m_buttonType;
    const Palette& p = m_palette;
    if (type == WindowsXP) {
        BlitPicture(m_pictureX + 1, m_pictureY + 1, m_picWidth, m_picHeight, normal, p.maskRGB, std::nullopt, false,
                    true, false);
    } else if (type == FlatFrame || type == SoftRaised || type == OfficeBar) {
        Silhouette(normal, type == OfficeBar ? Shift(p.shadow, 13) : p.shadow, m_pictureX, m_pictureY, true);
    } else {
        // Embossed: a light copy one pixel down right under a shadow-coloured one in place.
        Silhouette(normal, p.highlight, m_pictureX + 1, m_pictureY + 1, true);
        Silhouette(normal, p.shadow, m_pictureX, m_pictureY, true);
    }
}

// ---- the parent background (transparent look) ---------------------------------------------------------------

void chameleonButton::MakeBackDc()
{
    m_backDC = dc().createCompatibleDc();
    m_backOldBitmap = m_backDC->selectBitmap(Bitmap::create({W(), H()}));
}

void chameleonButton::CopyBackground()
{
    std::unique_ptr<Dc> parent = container().ParentWindowDc();
    if (!parent)
        return;
    // The extender gives the position in the parent's scale unit (twips on a form); the parent's
    // device context counts pixels.
    const ScaleUnit unit = container().ParentScaleMode();
    const int left = static_cast<int>(std::nearbyint(container().ScaleX(container().Extender().Left(), unit,
                                                                        ScaleUnit::Pixels)));
    const int top = static_cast<int>(std::nearbyint(container().ScaleY(container().Extender().Top(), unit,
                                                                       ScaleUnit::Pixels)));
    m_backDC->bitBlt(0, 0, W(), H(), parent.get(), left, top, SRCCOPY);
}

void chameleonButton::CaptureBackground()
{
    m_inCapture = true;
    const int h = H();
    // Every step may fail without harm: the face then keeps its plain fill.
    try {
        container().SetHeight(0); // the parent repaints what the control covered
        container().DoEvents();
        if (m_backDC)
            CopyBackground();
    } catch (const std::exception&) {
    }
    try {
        container().SetHeight(container().ScaleY(h, ScaleUnit::Pixels, ScaleUnit::Twips));
    } catch (const std::exception&) {
    }
    m_inCapture = false;
}

} // namespace plainquill::chameleon
