// Style 5, BlueSkin: a fixed blue-grey skin with an orange hover frame and a blue focus frame;
// with custom colours the same shape in shades of the back colour.
#include "controls/isbutton/button_colours.h"
#include "controls/isbutton/is_button.h"
#include "controls/isbutton/skins.h"

namespace plainquill::isbutton {

using namespace contracts;

namespace {

void border(SkinCanvas& k, int W, int H, Colour c)
{
    k.line(1, 0, W - 1, 0, c);
    k.line(0, 1, 0, H - 1, c);
    k.line(W - 1, 1, W - 1, H - 1, c);
    k.line(1, H - 1, W - 1, H - 1, c);
}

void cornerPixels(SkinCanvas& k, int W, int H)
{
    for (const Point p : {Point{1, 1}, {1, H - 2}, {W - 2, 1}, {W - 2, H - 2}})
        k.pixel(p.x, p.y, 0x906E48);
    for (const Point p : {Point{0, 1}, {1, 0}, {1, H - 1}, {0, H - 2}, {W - 1, H - 2}, {W - 2, H - 1}, {W - 2, 0},
                          {W - 1, 1}})
        k.pixel(p.x, p.y, 0xA28B6A);
    for (const Point p : {Point{1, 2}, {2, 1}, {2, H - 2}, {1, H - 3}, {W - 2, H - 3}, {W - 3, H - 2}, {W - 3, 1},
                          {W - 2, 2}})
        k.pixel(p.x, p.y, 0xCAC7BF);
}

// Four lines and two side gradients just inside the border, in one frame's colours.
void innerFrame(SkinCanvas& k, int W, int H, Colour top1, Colour top2, Colour bottom3, Colour bottom2)
{
    k.line(2, 1, W - 2, 1, top1);
    k.line(2, 2, W - 2, 2, top2);
    k.line(2, H - 3, W - 2, H - 3, bottom3);
    k.line(2, H - 2, W - 2, H - 2, bottom2);
    k.gradient(top2, bottom3, 1, 2, 3, H - 5);
    k.gradient(top2, bottom3, W - 3, 2, W - 1, H - 5);
}

// The twelve pixels that round a disabled skin's corners.
void disabledCorners(SkinCanvas& k, int W, int H, Colour c)
{
    for (const Point p : {Point{0, 1}, {1, 1}, {1, 0}, {0, H - 2}, {1, H - 2}, {1, H - 1}, {W - 1, 1}, {W - 2, 1},
                          {W - 2, 0}, {W - 1, H - 2}, {W - 2, H - 2}, {W - 2, H - 1}})
        k.pixel(p.x, p.y, c);
}

void systemPalette(SkinCanvas& k, const SkinInput& in)
{
    const int W = in.W, H = in.H;
    in.setBackground(in.sysFace);
    switch (in.state) {
    case Normal:
    case Hot:
        k.gradient(0xFBFCFC, 0xF0F0F0, 1, 1, W - 2, 4);
        k.gradient(0xF9FAFA, 0xEAF0F0, 1, 4, W - 2, H - 8);
        k.gradient(0xE6EBEB, 0xC5D0D6, 1, H - 4, W - 2, 3);
        k.gradient(0xFAFBFB, 0xDAE2E4, W - 3, 3, W - 2, H - 5);
        k.gradient(0xF2F4F5, 0xCDD7DB, W - 2, 3, W - 1, H - 5);
        border(k, W, H, 0x743C00);
        cornerPixels(k, W, H);
        if (in.state == Hot) {
            innerFrame(k, W, H, 0xCFF0FF, 0x89D8FD, 0x30B3F8, 0x1097E5); // orange: the pointer is over it
        } else if (in.hasFocus || in.displayAsDefault) {
            innerFrame(k, W, H, 0xFFE7CE, 0xF6D4BC, 0xE4AD89, 0xEE8269); // blue: focused or default
        }
        break;
    case Pressed:
        k.gradient(0xC1CCD1, 0xDCE3E4, 2, 1, W - 1, 4);
        k.gradient(0xDCE3E4, 0xDBE2E3, 2, 4, W - 1, H - 8);
        k.gradient(0xDBE2E3, 0xEEF1F2, 3, H - 4, W - 1, 3);
        k.gradient(0xCED8DA, 0xDBE2E3, 1, 3, 2, H - 5);
        k.gradient(0xCED8DA, 0xDBE2E3, 2, 4, 3, H - 7);
        border(k, W, H, 0x743C00);
        cornerPixels(k, W, H);
        break;
    case Disabled:
        in.setBackground(0xEAF4F5);
        k.outline(0, 0, W - 1, H - 1, 0xBAC7C9);
        disabledCorners(k, W, H, 0xC7D5D8);
        break;
    default:
        break;
    }
}

// Normal and hot in shades of the back colour; a frame in the highlight colour when hot or focused.
void customRaised(SkinCanvas& k, const SkinInput& in)
{
    const int W = in.W, H = in.H;
    const Colour B = in.backColor;
    const Colour edge = offset(B, -128);
    in.setBackground(B);
    k.gradient(B, offset(B, -15), 1, 1, W - 2, H - 3);
    k.gradient(offset(B, 21), offset(B, -21), 1, 2, 2, H - 5);
    k.gradient(offset(B, -5), offset(B, -32), W - 2, 2, W - 1, H - 5);
    k.line(2, 1, W - 2, 1, offset(B, 5));
    k.line(1, 2, W - 1, 2, offset(B, 2));
    k.line(2, H - 4, W - 2, H - 4, offset(B, -16));
    k.line(2, H - 3, W - 2, H - 3, offset(B, -24));
    k.line(2, H - 2, W - 2, H - 2, offset(B, -37));
    k.borderAndOuterPixels(W, H, edge, offset(B, -21));
    if (in.state == Hot || in.state == 5 || (in.hasFocus && in.showFocus)) {
        const Colour f = in.state == Hot ? in.highlightColor : in.sysHighlight;
        innerFrame(k, W, H, offset(f, 85), offset(f, 69), offset(f, 16), f);
    }
}

void customPressed(SkinCanvas& k, const SkinInput& in)
{
    const int W = in.W, H = in.H;
    const Colour B = in.backColor;
    k.gradient(offset(B, -37), offset(B, -21), 2, 1, W - 1, 4);
    k.gradient(offset(B, -21), offset(B, -5), 2, 4, W - 1, H - 8);
    k.gradient(offset(B, -5), offset(B, 5), 3, H - 4, W - 1, 3);
    k.gradient(offset(B, -32), offset(B, -22), 1, 3, 2, H - 5);
    k.gradient(offset(B, -24), offset(B, -15), 2, 4, 3, H - 7);
    for (const Point p : {Point{1, 2}, {2, 1}, {W - 3, 1}})
        k.pixel(p.x, p.y, offset(B, -48));
    k.pixel(2, H - 2, offset(B, -5));
    k.pixel(1, H - 3, offset(B, -16));
    k.pixel(W - 2, H - 3, offset(B, 18));
    k.pixel(W - 3, H - 2, offset(B, 8));
    k.pixel(W - 2, 2, offset(B, -37));
    border(k, W, H, offset(B, -128));
    for (const Point p : {Point{1, 1}, {1, H - 2}, {W - 2, 1}, {W - 2, H - 2}})
        k.pixel(p.x, p.y, offset(B, -96));
}

void customPalette(SkinCanvas& k, const SkinInput& in)
{
    switch (in.state) {
    case Normal:
    case Hot:
        customRaised(k, in);
        break;
    case Pressed:
        customPressed(k, in);
        break;
    case Disabled:
        in.setBackground(in.backColor);
        k.outline(0, 0, in.W - 1, in.H - 1, offset(in.backColor, -64));
        disabledCorners(k, in.W, in.H, offset(in.backColor, -53));
        break;
    default:
        break;
    }
}

} // namespace

void drawBlueSkin(SkinCanvas& canvas, const SkinInput& in)
{
    if (in.useCustomColors)
        customPalette(canvas, in);
    else
        systemPalette(canvas, in);
}

} // namespace plainquill::isbutton
