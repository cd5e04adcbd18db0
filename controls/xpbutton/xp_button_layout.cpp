// Where picture and caption go: both centred as one block inside the content area, the picture
// on the side PicturePosition names, 4 pixels between them.
#include "controls/xpbutton/xp_button.h"

#include "controls/contracts/control_errors.h"

#include <cmath>
#include <limits>

namespace plainquill::xpbutton {

using namespace contracts;

namespace {

constexpr int kGap = 4;
constexpr int kMargin = 4;

// The layout sums sizes the container accepts without checking: past 32 bits they are an
// overflow, as every integer sum of the control is.
int fits(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw OverflowError();
    return static_cast<int>(value);
}

int roundedFit(double value)
{
    if (!(std::abs(value) < 2147483647.0))
        throw OverflowError();
    return static_cast<int>(std::nearbyint(value));
}

DrawTextParams textParams() { return {20, 1, 1, 1, 0}; }

// The rectangle at (left, top) of width x height; past 32 bits an overflow.
Rect placed(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height)
{
    return {fits(left), fits(top), fits(left + width), fits(top + height)};
}

} // namespace

void XpB::ComputeLayout()
{
    const int r = roundedFit(container().ScaleWidth() - 1);
    const int b = roundedFit(container().ScaleHeight() - 1);
    m_contentRect = {kMargin, kMargin, r - 3, b - 3};
    const int cw = m_contentRect.width();
    const int ch = m_contentRect.height();
    if (!hasImage(m_currentPicture)) {
        m_captionRect = m_contentRect;
        MeasureCaption(cw, ch);
        return;
    }
    if (m_caption.empty()) {
        const std::int64_t pw = m_pictureWidth;
        const std::int64_t ph = m_pictureHeight;
        m_pictureRect = placed(kMargin + (cw - pw) / 2, kMargin + (ch - ph) / 2, pw, ph);
        return;
    }
    m_captionRect = m_contentRect;
    MeasureCaption(cw, ch);
    PlacePictureBesideCaption(cw, ch);
}

// The picture and the measured caption as one block centred in the content area, the picture on
// the side PicturePosition names.
void XpB::PlacePictureBesideCaption(int cw, int ch)
{
    const std::int64_t pw = m_pictureWidth;
    const std::int64_t ph = m_pictureHeight;
    const std::int64_t tw = m_captionRect.width();
    const std::int64_t th = m_captionRect.height();
    switch (m_picturePosition) {
    case Above:
        m_pictureRect = placed(kMargin + (cw - pw) / 2, kMargin + (ch - (ph + kGap + th)) / 2, pw, ph);
        m_captionRect = placed(kMargin + (cw - tw) / 2, m_pictureRect.bottom + kGap, tw, th);
        break;
    case LeftOf:
        m_pictureRect = placed(kMargin + (cw - (tw + kGap + pw)) / 2, kMargin + (ch - ph) / 2, pw, ph);
        m_captionRect = placed(m_pictureRect.right + kGap, kMargin + (ch - th) / 2, tw, th);
        break;
    case RightOf:
        m_captionRect = placed(kMargin + (cw - (tw + kGap + pw)) / 2, kMargin + (ch - th) / 2, tw, th);
        m_pictureRect = placed(m_captionRect.right + kGap, kMargin + (ch - ph) / 2, pw, ph);
        break;
    case Below:
        m_captionRect = placed(kMargin + (cw - tw) / 2, kMargin + (ch - (ph + kGap + th)) / 2, tw, th);
        m_pictureRect = placed(kMargin + (cw - pw) / 2, m_captionRect.bottom + kGap, pw, ph);
        break;
    default:
        break;
    }
}

// Wraps the caption at the content width and centres the block it needs in the content area.
void XpB::MeasureCaption(int cw, int ch)
{
    DrawTextParams params = textParams();
    container().hDC().drawText(m_caption, m_captionRect, DT_CALCRECT | DT_WORDBREAK | DT_VCENTER | DT_CENTER,
                               &params);
    const int tw = m_captionRect.width();
    const int th = m_captionRect.height();
    const int left = kMargin + (cw - tw) / 2;
    const int top = kMargin + (ch - th) / 2;
    m_captionRect = {left, top, left + tw, top + th};
}

} // namespace plainquill::xpbutton
