#include "controls/chameleonbutton/access_key.h"

namespace plainquill::chameleon {

namespace {

// The character starting at `at`: one byte, or a whole UTF-8 sequence.
std::string characterAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        const char c = static_cast<char>(lead >= 'A' && lead <= 'Z' ? lead - 'A' + 'a' : lead);
        return std::string(1, c);
    }
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return std::string(text.substr(at, end - at));
}

} // namespace

std::string accessKeyOf(std::string_view caption)
{
    if (caption.size() <= 1)
        return {};
    const std::size_t first = caption.find('&');
    if (first == std::string_view::npos || first + 1 >= caption.size())
        return {};
    if (caption[first + 1] != '&')
        return characterAt(caption, first + 1);
    const std::size_t second = caption.find('&', first + 2);
    if (second == std::string_view::npos || second + 1 >= caption.size() || caption[second + 1] == '&')
        return {};
    return characterAt(caption, second + 1);
}

} // namespace plainquill::chameleon
