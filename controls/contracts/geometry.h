#pragma once
// Points, sizes and rectangles in pixels. Rect follows the device-context convention:
// right and bottom are exclusive, so Rect{2, 3, 6, 8} covers columns 2..5 and rows 3..7.
// Nobody ever writes `left + width - 1`; use width() and contains().
#include <algorithm>

namespace plainquill::contracts {

struct Point {
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;

    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;  // exclusive
    int bottom = 0; // exclusive

    static Rect fromSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    Size size() const { return {width(), height()}; }
    Point topLeft() const { return {left, top}; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    // OffsetRect
    Rect offsetBy(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // InflateRect; negative amounts shrink.
    Rect inflatedBy(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    // IntersectRect; an empty result is the all-zero rectangle, so every empty result compares equal.
    Rect intersectedWith(const Rect& o) const
    {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
        return r.isEmpty() ? Rect{} : r;
    }
    // Swaps the edges of a rectangle given right-to-left or bottom-to-top.
    Rect normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace plainquill::contracts
