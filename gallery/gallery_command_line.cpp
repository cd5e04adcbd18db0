#include "gallery/gallery_command_line.h"

#include "platform/raster/qimage_bridge.h"

#include <QImage>
#include <QString>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace plainquill::gallery {

using namespace contracts;

namespace {

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// A whole number in decimal or 0x hexadecimal within 32 bits (signed, or unsigned for hex).
std::optional<std::int64_t> wholeNumber(const std::string& text)
{
    const bool hex = text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"));
    const char* begin = text.data() + (hex ? 2 : 0);
    const char* end = text.data() + text.size();
    std::int64_t value = 0;
    const auto result = std::from_chars(begin, end, value, hex ? 16 : 10);
    if (result.ec != std::errc() || result.ptr != end || begin == end)
        return std::nullopt;
    const std::int64_t lowest = hex ? 0 : std::numeric_limits<std::int32_t>::min();
    const std::int64_t highest =
        hex ? std::numeric_limits<std::uint32_t>::max() : std::numeric_limits<std::int32_t>::max();
    if (value < lowest || value > highest)
        return std::nullopt;
    return value;
}

bool looksNumeric(const std::string& text)
{
    return !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) || (text[0] == '-' && text.size() > 1));
}

std::optional<Size> parseSize(const std::string& text)
{
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    const auto width = wholeNumber(text.substr(0, x));
    const auto height = wholeNumber(text.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > 10000 || *height > 10000)
        return std::nullopt;
    return Size{static_cast<int>(*width), static_cast<int>(*height)};
}

UsageError usageError(const std::string& message) { return {message + "\n\n" + usage()}; }

} // namespace

std::string usage()
{
    return "usage: plainquill-gallery [--out FILE.png] [--scale N] [--backdrop COLOUR]\n"
           "       plainquill-gallery --control CLASS --size WxH [--set KEY=VALUE]...\n"
           "                          [--state normal|hot|pressed|disabled|focused|default|checked]\n"
           "                          [--scale N] [--backdrop COLOUR] --out FILE.png\n"
           "VALUE: a whole number (decimal or 0x hex), true or false, @FILE for a picture, or text.\n"
           "N: device pixels per pixel, 1 to 4 (default 1).\n"
           "COLOUR: #RRGGBB or a colour name, shown outside a control's window shape\n"
           "        (default: the window's background).";
}

std::variant<std::pair<std::string, PropertyValue>, UsageError> parseSetting(const std::string& setting)
{
    const auto equals = setting.find('=');
    if (equals == std::string::npos || equals == 0)
        return UsageError{"--set needs KEY=VALUE, got \"" + setting + "\""};
    const std::string key = setting.substr(0, equals);
    const std::string text = setting.substr(equals + 1);
    if (lowered(text) == "true" || lowered(text) == "false")
        return std::pair{key, PropertyValue{lowered(text) == "true"}};
    if (const auto number = wholeNumber(text))
        return std::pair{key, PropertyValue{*number}};
    if (looksNumeric(text))
        return UsageError{"bad value for " + key + ": \"" + text + "\" is not a 32-bit whole number"};
    if (text.starts_with("@")) {
        const QImage image(QString::fromStdString(text.substr(1)));
        if (image.isNull())
            return UsageError{"bad value for " + key + ": cannot read the picture " + text.substr(1)};
        return std::pair{key, PropertyValue{Picture::fromBitmap(raster::fromQImage(image))}};
    }
    return std::pair{key, PropertyValue{text}};
}

namespace {

// The options as given, before they are checked against each other.
struct Options {
    std::optional<std::string> out, className, size, state;
    PropertyBag stored;
    Presentation presentation;
    bool anySingleOption = false;
    bool help = false;
};

enum class Taken { No, Yes };

// --scale and --backdrop, which both modes take.
std::variant<Taken, UsageError> presentationOption(const std::string& option, const std::string& value,
                                                   Presentation& presentation)
{
    if (option == "--scale") {
        const auto scale = wholeNumber(value);
        if (!scale || *scale < 1 || *scale > kMaxScale)
            return usageError("bad scale \"" + value + "\": give a whole number from 1 to " + std::to_string(kMaxScale));
        presentation.scale = static_cast<int>(*scale);
        return Taken::Yes;
    }
    if (option == "--backdrop") {
        auto colour = parseColour(value);
        if (auto* message = std::get_if<std::string>(&colour))
            return usageError(*message);
        presentation.backdrop = std::get<Colour>(colour);
        return Taken::Yes;
    }
    return Taken::No;
}

std::variant<Options, UsageError> collectOptions(const std::vector<std::string>& arguments)
{
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            return options;
        }
        if (i + 1 >= arguments.size())
            return usageError(option.starts_with("--") ? option + " needs a value" : "unexpected \"" + option + "\"");
        const std::string& value = arguments[++i];
        const auto taken = presentationOption(option, value, options.presentation);
        if (const auto* error = std::get_if<UsageError>(&taken))
            return *error;
        if (std::get<Taken>(taken) == Taken::Yes)
            continue;
        if (option == "--out") {
            options.out = value;
        } else if (option == "--control") {
            options.className = value;
        } else if (option == "--size" || option == "--state") {
            (option == "--size" ? options.size : options.state) = value;
            options.anySingleOption = true;
        } else if (option == "--set") {
            auto parsed = parseSetting(value);
            if (auto* error = std::get_if<UsageError>(&parsed))
                return *error;
            const auto& [key, stored] = std::get<std::pair<std::string, PropertyValue>>(parsed);
            options.stored.WriteProperty(key, stored);
            options.anySingleOption = true;
        } else {
            return usageError("unknown option \"" + option + "\"");
        }
    }
    return options;
}

Request singleRequest(const Options& options)
{
    if (!options.size)
        return usageError("--control needs --size WxH");
    if (!options.out)
        return usageError("--control needs --out FILE.png");
    const auto size = parseSize(*options.size);
    if (!size)
        return usageError("bad size \"" + *options.size + "\": give WxH, each from 1 to 10000");
    const auto state = options.state ? parseState(*options.state) : ControlState::Normal;
    if (!state)
        return usageError("unknown state \"" + *options.state + "\"");
    return SingleRequest{*options.className, *size, options.stored, *state, *options.out, options.presentation};
}

} // namespace

Request parseCommandLine(const std::vector<std::string>& arguments)
{
    auto collected = collectOptions(arguments);
    if (auto* error = std::get_if<UsageError>(&collected))
        return *error;
    const Options& options = std::get<Options>(collected);
    if (options.help)
        return HelpRequest{};
    if (options.className)
        return singleRequest(options);
    if (options.anySingleOption)
        return usageError("--size, --set and --state need --control");
    return SheetRequest{options.out.value_or("gallery.png"), options.presentation};
}

} // namespace plainquill::gallery
