#pragma once
// One value in a property bag, and the conversions a typed read applies to it. The conversions
// are the container's: a boolean read of a stored number is true when the number is not 0, a
// number read of a stored boolean is -1 or 0, a whole-number read rounds halves to even, and
// text holding a number reads as that number. What cannot be converted raises PropertyTypeError;
// a number that does not fit raises OverflowError.
#include "controls/contracts/colour.h"
#include "controls/contracts/font_object.h"
#include "controls/contracts/picture.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

namespace plainquill::contracts {

// A colour as a value of its own, so that a bag written in memory keeps what was a colour.
struct ColourValue {
    Colour value = 0;
    friend bool operator==(const ColourValue&, const ColourValue&) = default;
};

// monostate is "no value" (the platform's Empty); a null FontRef or PictureRef is an object
// property set to nothing.
using PropertyValue =
    std::variant<std::monostate, std::int64_t, double, bool, std::string, ColourValue, FontRef, PictureRef>;

class PropertyTypeError : public std::runtime_error {
public:
    explicit PropertyTypeError(const std::string& what) : std::runtime_error(what) {}
};

bool isEmpty(const PropertyValue& value);

// Whole numbers as a 32-bit property holds them. Stored numbers from 2^31 up to 2^32 - 1 are taken
// as their 32-bit pattern, because colours (0x8000000D) are written unsigned by some writers.
std::int32_t toInt32(const PropertyValue& value);
std::int16_t toInt16(const PropertyValue& value);
double toDouble(const PropertyValue& value);
bool toBool(const PropertyValue& value);
std::string toText(const PropertyValue& value);
Colour toColour(const PropertyValue& value);
FontRef toFont(const PropertyValue& value);
PictureRef toPicture(const PropertyValue& value);

// Whether a written value equals its default, so the bag may leave it out: numbers compare by
// value across integers, colours, booleans and fractions; fonts by description; pictures by
// image; text exactly.
bool sameValue(const PropertyValue& a, const PropertyValue& b);

} // namespace plainquill::contracts
