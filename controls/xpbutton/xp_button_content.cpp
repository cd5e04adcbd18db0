// The content of XpB's face: the picture (normal, hover shadow, disabled) and the caption.
//
// Pictures are stretched only over the part of their rectangle that lies on the surface, so a
// picture size far beyond the button costs no more than one that fits.
#include "controls/xpbutton/xp_button.h"

#include "controls/xpbutton/masked_copy.h"

#include <algorithm>
#include <memory>

namespace plainquill::xpbutton {

using namespace contracts;

namespace {

constexpr Colour kShadow = 0x929292;
constexpr Colour kDisabledLight = sysColourRef(COLOR_BTNHIGHLIGHT);
constexpr Colour kDisabledShade = sysColourRef(COLOR_BTNSHADOW);
constexpr DrawTextFormat kCaptionFormat = DT_WORDBREAK | DT_VCENTER | DT_CENTER;

// A memory DC holding a new colour bitmap of `size`; the old bitmap goes back before the DC.
struct Canvas {
    Canvas(const Dc& like, Size size)
        : dc(like.createCompatibleDc()), previous(dc->selectBitmap(like.createCompatibleBitmap(size)))
    {
    }
    ~Canvas() { dc->selectBitmap(previous); }
    Bitmap bitmap() const { return dc->selectedBitmap(); }

    std::unique_ptr<Dc> dc;
    Bitmap previous;
};

} // namespace

void XpB::DrawPicture()
{
    if (!hasImage(m_currentPicture))
        return;
    const bool lifted = m_isHover && !m_isDown && m_buttonStyle == Flat;
    int shift = 0;
    if (lifted)
        shift = -3;
    else if (m_isDown && m_buttonStyle != Flat)
        shift = 1;
    const Rect shifted = m_pictureRect.offsetBy(shift, shift);
    const bool enabled = Enabled();
    if (const Bitmap* bitmap = m_currentPicture->bitmap()) {
        if (enabled && lifted)
            DrawBitmapForm(*bitmap, m_pictureRect, true, false);
        DrawBitmapForm(*bitmap, shifted, false, !enabled);
    } else if (m_currentPicture->icon()) {
        if (enabled && lifted)
            DrawIconForm(*m_currentPicture, m_pictureRect, true, false);
        DrawIconForm(*m_currentPicture, shifted, false, !enabled);
    }
}

// The bitmap at OriginalPicSize, stretched to the rectangle. Normal: MaskColor is transparent.
// Shadow and disabled: composed on white with MaskColor transparent, then drawn as a grey
// silhouette or embossed.
void XpB::DrawBitmapForm(const Bitmap& bitmap, const Rect& at, bool shadow, bool disabled)
{
    Dc& surface = container().hDC();
    const Rect visible = at.intersectedWith({0, 0, surface.size().width, surface.size().height});
    if (visible.isEmpty() || m_originalPicSize.isEmpty())
        return;
    const Colour mask = ResolveSysColor(m_maskColor);

    // The stored natural size may exceed the bitmap: what lies beyond it is never drawn, so the
    // copy holds only the bitmap's part and the stretch leaves the rest as a fresh bitmap has it.
    const Size held{std::min(m_originalPicSize.width, bitmap.width()),
                    std::min(m_originalPicSize.height, bitmap.height())};
    if (held.isEmpty())
        return;
    const bool composed = shadow || disabled;
    Canvas natural(surface, held);
    Canvas stretched(surface, visible.size());
    if (composed) {
        natural.dc->fillRect({0, 0, held.width, held.height}, Brush::solid(kWhite));
        stretched.dc->fillRect({0, 0, visible.width(), visible.height()}, Brush::solid(kWhite));
        const std::unique_ptr<Dc> source = surface.createCompatibleDc();
        const Bitmap previous = source->selectBitmap(bitmap);
        MaskedCopy(*natural.dc, *source, bitmap.bounds(), 0, 0, mask);
        source->selectBitmap(previous);
    } else {
        natural.dc->drawState(nullptr, bitmap, 0, 0, 0, 0, DST_BITMAP);
    }
    stretched.dc->stretchBlt(at.left - visible.left, at.top - visible.top, at.width(), at.height(), natural.dc.get(), 0,
                             0, m_originalPicSize.width, m_originalPicSize.height, SRCCOPY);
    if (!composed) {
        MaskedCopy(surface, *stretched.dc, {0, 0, visible.width(), visible.height()}, visible.left, visible.top, mask);
        return;
    }
    const Brush grey = Brush::solid(kShadow);
    surface.drawState(shadow ? &grey : nullptr, stretched.bitmap(), visible.left, visible.top, 0, 0,
                      DST_BITMAP | (shadow ? DSS_MONO : DSS_DISABLED));
}

void XpB::DrawIconForm(const contracts::Picture& picture, const Rect& at, bool shadow, bool disabled)
{
    if (!shadow && !disabled) {
        container().PaintPicture(picture, at.left, at.top, at.width(), at.height());
        return;
    }
    const Brush grey = Brush::solid(kShadow);
    container().hDC().drawState(shadow ? &grey : nullptr, *picture.icon(), at.left, at.top, at.width(), at.height(),
                                DST_ICON | (shadow ? DSS_MONO : DSS_DISABLED));
}

void XpB::DrawCaption()
{
    if (m_caption.empty())
        return;
    Dc& dc = container().hDC();
    const Colour foreground = ResolveSysColor(m_foreColor);
    dc.setTextColor(foreground);
    const BkMode previousMode = dc.setBkMode(TRANSPARENT);
    // Pressed captions move with the picture, except in the flat look, whose tint shows the press.
    Rect rect = m_isDown && m_buttonStyle != Flat ? m_captionRect.offsetBy(1, 1) : m_captionRect;
    DrawTextParams params{20, 1, 1, 1, 0};
    if (Enabled()) {
        dc.drawText(m_caption, rect, kCaptionFormat, &params);
    } else {
        Rect below = rect.offsetBy(1, 1);
        dc.setTextColor(ResolveSysColor(kDisabledLight));
        dc.drawText(m_caption, below, kCaptionFormat, &params);
        dc.setTextColor(ResolveSysColor(kDisabledShade));
        dc.drawText(m_caption, rect, kCaptionFormat, &params);
        dc.setTextColor(foreground);
    }
    dc.setBkMode(previousMode);
}

} // namespace plainquill::xpbutton
