#include "controls/contracts/property_value.h"

#include "controls/contracts/control_errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace plainquill::contracts {

namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kUInt32Max = std::numeric_limits<std::uint32_t>::max();

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Decimal, "0x..." or "&H..." hexadecimal, or a fraction; nullopt when it is not a number.
std::optional<double> parseNumber(const std::string& raw)
{
    const std::string text = trimmed(raw);
    const std::string lower = lowered(text);
    const bool hex = lower.starts_with("0x") || lower.starts_with("&h");
    if (hex) {
        std::uint64_t bits = 0;
        const char* begin = text.data() + 2;
        const char* end = text.data() + text.size();
        const auto result = std::from_chars(begin, end, bits, 16);
        if (result.ec != std::errc() || result.ptr != end || begin == end)
            return std::nullopt;
        return static_cast<double>(bits);
    }
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || text.empty())
        return std::nullopt;
    return value;
}

[[noreturn]] void mismatch(const char* wanted)
{
    throw PropertyTypeError(std::string("the stored value cannot be read as ") + wanted);
}

// Any numeric-like value as a double; nullopt for text that is not a number and for objects.
std::optional<double> numericValue(const PropertyValue& value)
{
    return std::visit(Overloaded{
                          [](std::monostate) -> std::optional<double> { return 0.0; },
                          [](std::int64_t v) -> std::optional<double> { return static_cast<double>(v); },
                          [](double v) -> std::optional<double> { return v; },
                          [](bool v) -> std::optional<double> { return v ? -1.0 : 0.0; },
                          [](const std::string& v) { return parseNumber(v); },
                          [](ColourValue v) -> std::optional<double> { return static_cast<std::int32_t>(v.value); },
                          [](const FontRef&) -> std::optional<double> { return std::nullopt; },
                          [](const PictureRef&) -> std::optional<double> { return std::nullopt; },
                      },
                      value);
}

std::int32_t wrapToInt32(std::int64_t v)
{
    if (v >= kInt32Min && v <= kInt32Max)
        return static_cast<std::int32_t>(v);
    if (v > kInt32Max && v <= kUInt32Max)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    throw OverflowError();
}

} // namespace

bool isEmpty(const PropertyValue& value) { return std::holds_alternative<std::monostate>(value); }

std::int32_t toInt32(const PropertyValue& value)
{
    if (const auto* whole = std::get_if<std::int64_t>(&value))
        return wrapToInt32(*whole);
    if (const auto* colour = std::get_if<ColourValue>(&value))
        return static_cast<std::int32_t>(colour->value);
    const std::optional<double> number = numericValue(value);
    if (!number)
        mismatch("a number");
    const double rounded = std::nearbyint(*number);
    if (!std::isfinite(rounded) || rounded < static_cast<double>(kInt32Min)
        || rounded > static_cast<double>(kUInt32Max))
        throw OverflowError();
    return wrapToInt32(static_cast<std::int64_t>(rounded));
}

std::int16_t toInt16(const PropertyValue& value)
{
    const std::int32_t wide = toInt32(value);
    if (wide < std::numeric_limits<std::int16_t>::min() || wide > std::numeric_limits<std::int16_t>::max())
        throw OverflowError();
    return static_cast<std::int16_t>(wide);
}

double toDouble(const PropertyValue& value)
{
    const std::optional<double> number = numericValue(value);
    if (!number)
        mismatch("a number");
    return *number;
}

bool toBool(const PropertyValue& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) {
        const std::string word = lowered(trimmed(*text));
        if (word == "true")
            return true;
        if (word == "false")
            return false;
    }
    const std::optional<double> number = numericValue(value);
    if (!number)
        mismatch("a boolean");
    return *number != 0.0;
}

std::string toText(const PropertyValue& value)
{
    return std::visit(Overloaded{
                          [](std::monostate) { return std::string(); },
                          [](std::int64_t v) { return std::to_string(v); },
                          [](double v) {
                              char buffer[32];
                              const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
                              return std::string(buffer, result.ptr);
                          },
                          [](bool v) { return std::string(v ? "True" : "False"); },
                          [](const std::string& v) { return v; },
                          [](ColourValue v) { return std::to_string(static_cast<std::int32_t>(v.value)); },
                          [](const FontRef&) -> std::string { mismatch("text"); },
                          [](const PictureRef&) -> std::string { mismatch("text"); },
                      },
                      value);
}

Colour toColour(const PropertyValue& value)
{
    if (const auto* colour = std::get_if<ColourValue>(&value))
        return colour->value;
    return static_cast<Colour>(toInt32(value));
}

FontRef toFont(const PropertyValue& value)
{
    if (isEmpty(value))
        return nullptr;
    if (const auto* font = std::get_if<FontRef>(&value))
        return *font;
    if (const auto* picture = std::get_if<PictureRef>(&value); picture && !*picture)
        return nullptr; // an object set to nothing is nothing whatever its kind
    mismatch("a font");
}

PictureRef toPicture(const PropertyValue& value)
{
    if (isEmpty(value))
        return nullptr;
    if (const auto* picture = std::get_if<PictureRef>(&value))
        return *picture;
    if (const auto* font = std::get_if<FontRef>(&value); font && !*font)
        return nullptr; // an object set to nothing is nothing whatever its kind
    mismatch("a picture");
}

bool sameValue(const PropertyValue& a, const PropertyValue& b)
{
    if (const auto* fa = std::get_if<FontRef>(&a)) {
        const auto* fb = std::get_if<FontRef>(&b);
        if (!fb || !*fa || !*fb)
            return fb && !*fa == !*fb;
        return (*fa)->Description() == (*fb)->Description();
    }
    if (const auto* pa = std::get_if<PictureRef>(&a)) {
        const auto* pb = std::get_if<PictureRef>(&b);
        if (!pb || !*pa || !*pb)
            return pb && !*pa == !*pb;
        return *pa == *pb || (*pa)->sameImageAs(**pb);
    }
    if (std::holds_alternative<FontRef>(b) || std::holds_alternative<PictureRef>(b))
        return false;
    if (std::holds_alternative<std::string>(a) || std::holds_alternative<std::string>(b))
        return a == b;
    const auto na = numericValue(a);
    const auto nb = numericValue(b);
    if (!na || !nb)
        return false;
    // Compare 32-bit patterns where both are whole, so 0x8000000D written unsigned equals the
    // same colour held as a negative number.
    const auto asPattern = [](double n) -> std::optional<std::int32_t> {
        if (n != std::floor(n) || n < static_cast<double>(kInt32Min) || n > static_cast<double>(kUInt32Max))
            return std::nullopt;
        return wrapToInt32(static_cast<std::int64_t>(n));
    };
    const auto pa = asPattern(*na);
    const auto pb = asPattern(*nb);
    if (pa && pb)
        return *pa == *pb;
    return *na == *nb;
}

} // namespace plainquill::contracts
