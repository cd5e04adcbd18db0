#pragma once
// A number that is the whole of `text`, as the command line and the files the batch command
// reads back hold them: digits only (a sign where the type has one), nothing before or after.
#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>

namespace plainquill::batch {

template <typename Number>
std::optional<Number> wholeNumber(std::string_view text)
{
    Number value{};
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || problem != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace plainquill::batch
