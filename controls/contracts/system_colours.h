#pragma once
// The platform's current system colours and the three ways the controls turn a stored
// colour into one they can draw with. Each control uses exactly one of the rules:
//   progress bar      -> resolveByTopBit
//   XP-look button    -> resolveFromHighBytes
//   multi-look button -> oleTranslateColor
#include "controls/contracts/colour.h"

#include <optional>

namespace plainquill::contracts {

class SystemColours {
public:
    virtual ~SystemColours() = default;

    // GetSysColor: the colour of index 0..30; any other index reads as black (0), never fails.
    virtual Colour sysColor(int index) const = 0;
};

// A value with the top bit set names system colour (value AND 0x7FFFFFFF); any other value is a colour.
inline Colour resolveByTopBit(Colour value, const SystemColours& colours)
{
    if (value & kSystemColourFlag)
        return colours.sysColor(static_cast<int>(value & ~kSystemColourFlag));
    return value;
}

// Values below 0x01000000 are colours; every other value names the system colour given by its
// low 24 bits.
inline Colour resolveFromHighBytes(Colour value, const SystemColours& colours)
{
    if (value < 0x01000000u)
        return value;
    return colours.sysColor(static_cast<int>(value & 0x00FFFFFFu));
}

// OleTranslateColor without a palette. The high byte says what the value is:
//   0x00  a colour, returned as it is;
//   0x01  a palette index, 0x02 a palette-relative colour: returned unchanged (there is no palette);
//   0x80  a system colour whose index is the low 16 bits; indices beyond 30 cannot be translated;
//   anything else cannot be translated.
// Untranslatable values give nullopt (the platform call's failure).
inline std::optional<Colour> oleTranslateColor(Colour value, const SystemColours& colours)
{
    switch (value >> 24) {
    case 0x00:
    case 0x01:
    case 0x02:
        return value;
    case 0x80: {
        const int index = static_cast<int>(value & 0xFFFFu);
        if (index >= kSysColourCount)
            return std::nullopt;
        return colours.sysColor(index);
    }
    default:
        return std::nullopt;
    }
}

} // namespace plainquill::contracts
