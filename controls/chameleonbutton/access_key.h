#pragma once
// The access key a caption marks with "&": the character after the first single "&", in lower
// case ("&&" is a literal ampersand). Only the first two ampersands are looked at, so a caption
// with two doubled pairs before the marked character has no key. Empty when there is none; a
// marked character outside ASCII is returned whole (all its UTF-8 bytes).
#include <string>
#include <string_view>

namespace plainquill::chameleon {

std::string accessKeyOf(std::string_view caption);

} // namespace plainquill::chameleon
