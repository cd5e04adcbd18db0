#include "controls/chameleonbutton/hand_pointer.h"

#include <array>
#include <string_view>

namespace plainquill::chameleon {

using namespace contracts;

namespace {

// 'X' outline, 'o' fill, anything else transparent; the finger tip is the hot spot's column.
constexpr std::array<std::string_view, 22> kHand{
    "     XX         ",
    "    XooX        ",
    "    XooX        ",
    "    XooX        ",
    "    XooX        ",
    "    XooXXX      ",
    "    XooXooXXX   ",
    "    XooXooXooXX ",
    "XXX XooXooXooXoX",
    "XooXXooooooooXoX",
    "XoooXoooooooooooX",
    " XooXoooooooooooX",
    "  XoXoooooooooooX",
    "  XoooooooooooooX",
    "   XooooooooooooX",
    "   XoooooooooooX ",
    "    XooooooooooX ",
    "    XoooooooooX  ",
    "     XooooooooX  ",
    "     XooooooooX  ",
    "     XXXXXXXXXX  ",
    "                 ",
};

} // namespace

PictureRef handPointerPicture()
{
    constexpr Size size{32, 32};
    Bitmap mask = Bitmap::create(size, Bitmap::Format::Monochrome);
    Bitmap colour = Bitmap::create(size);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            mask.setPixel(x, y, kWhite); // transparent everywhere but the hand
    for (int y = 0; y < static_cast<int>(kHand.size()); ++y)
        for (int x = 0; x < static_cast<int>(kHand[y].size()); ++x) {
            const char c = kHand[y][x];
            if (c != 'X' && c != 'o')
                continue;
            mask.setPixel(x, y, kBlack);
            colour.setPixel(x, y, c == 'X' ? kBlack : kWhite);
        }
    return Picture::fromIcon(Icon::createIndirect({mask, colour}));
}

} // namespace plainquill::chameleon
