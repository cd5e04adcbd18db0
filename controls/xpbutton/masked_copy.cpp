#include "controls/xpbutton/masked_copy.h"

#include <memory>

namespace plainquill::xpbutton {

using namespace contracts;

namespace {

// A memory DC with a new bitmap of `size` selected: monochrome when made from a fresh memory DC,
// in the format of `like` otherwise. The old bitmap is put back before the DC goes.
struct Scratch {
    Scratch(const Dc& like, Size size, bool monochrome)
        : dc(like.createCompatibleDc()),
          previous(dc->selectBitmap(monochrome ? dc->createCompatibleBitmap(size) : like.createCompatibleBitmap(size)))
    {
    }
    ~Scratch() { dc->selectBitmap(previous); }

    std::unique_ptr<Dc> dc;
    Bitmap previous;
};

} // namespace

void MaskedCopy(Dc& destination, Dc& source, const Rect& sourceRect, int x, int y, Colour maskColour)
{
    const int w = sourceRect.width();
    const int h = sourceRect.height();
    if (w <= 0 || h <= 0)
        return;
    const Colour previousBackground = source.setBkColor(maskColour);

    // Colour to monochrome: pixels of the source's background colour become white (1).
    Scratch mask(destination, {w, h}, true);
    mask.dc->bitBlt(0, 0, w, h, &source, sourceRect.left, sourceRect.top, SRCCOPY);
    Scratch inverse(destination, {w, h}, true);
    inverse.dc->bitBlt(0, 0, w, h, mask.dc.get(), 0, 0, NOTSRCCOPY);

    // Monochrome to colour draws 0 bits in the text colour (black) and 1 bits in the
    // background colour (white) of these fresh DCs, so AND keeps or clears whole pixels.
    Scratch behind(destination, {w, h}, false);
    behind.dc->bitBlt(0, 0, w, h, &destination, x, y, SRCCOPY);
    behind.dc->bitBlt(0, 0, w, h, mask.dc.get(), 0, 0, SRCAND);
    Scratch front(destination, {w, h}, false);
    front.dc->bitBlt(0, 0, w, h, &source, sourceRect.left, sourceRect.top, SRCCOPY);
    front.dc->bitBlt(0, 0, w, h, inverse.dc.get(), 0, 0, SRCAND);
    behind.dc->bitBlt(0, 0, w, h, front.dc.get(), 0, 0, SRCINVERT);

    destination.bitBlt(x, y, w, h, behind.dc.get(), 0, 0, SRCCOPY);
    source.setBkColor(previousBackground);
}

} // namespace plainquill::xpbutton
