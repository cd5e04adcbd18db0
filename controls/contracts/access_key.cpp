#include "controls/contracts/access_key.h"

#include <cctype>

namespace plainquill::contracts {

namespace {

// The character starting at `at`, ASCII letters in lower case.
std::string characterAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return std::string(1, static_cast<char>(std::tolower(lead)));
    std::size_t length = 1;
    while (at + length < text.size() && (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
        ++length;
    return std::string(text.substr(at, length));
}

} // namespace

std::string accessKeyOf(std::string_view caption)
{
    if (caption.size() < 2)
        return {};
    const std::size_t first = caption.find('&');
    // An ampersand as the last character marks nothing.
    if (first == std::string_view::npos || first + 1 >= caption.size())
        return {};
    if (caption[first + 1] != '&')
        return characterAt(caption, first + 1);
    // "&&" is a drawn ampersand: the next single one after it may still mark a key.
    const std::size_t second = caption.find('&', first + 2);
    if (second == std::string_view::npos || second + 1 >= caption.size() || caption[second + 1] == '&')
        return {};
    return characterAt(caption, second + 1);
}

std::string captionWithoutMark(std::string_view caption)
{
    std::string text;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        if (caption[at] == '&' && at + 1 < caption.size())
            ++at; // the mark goes; after "&&" the second one stays as text
        text += caption[at];
    }
    return text;
}

} // namespace plainquill::contracts
