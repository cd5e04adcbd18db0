#pragma once
// The units of a control's coordinate system and the conversions between them, at the
// platform's 96 pixels per inch: 15 twips and 2540/96 HIMETRIC to a pixel.
namespace plainquill::contracts {

// The platform's numbers for the units a control converts between.
enum class ScaleUnit : int { Twips = 1, Points = 2, Pixels = 3, Inches = 5, Millimetres = 6, Himetric = 8 };

inline constexpr double kTwipsPerPixel = 15.0;

// How many of `unit` make one pixel.
constexpr double unitsPerPixel(ScaleUnit unit)
{
    switch (unit) {
    case ScaleUnit::Twips:
        return kTwipsPerPixel;
    case ScaleUnit::Points:
        return 72.0 / 96.0;
    case ScaleUnit::Pixels:
        return 1.0;
    case ScaleUnit::Inches:
        return 1.0 / 96.0;
    case ScaleUnit::Millimetres:
        return 25.4 / 96.0;
    case ScaleUnit::Himetric:
        return 2540.0 / 96.0;
    }
    return 1.0;
}

// ScaleX / ScaleY: the same length in another unit (the platform uses one resolution for both).
constexpr double convertScale(double value, ScaleUnit from, ScaleUnit to)
{
    return value / unitsPerPixel(from) * unitsPerPixel(to);
}

} // namespace plainquill::contracts
