#pragma once
// Which character of a caption is its access key: the one after the first single "&" ("&&"
// stands for a drawn ampersand), in lower case. Only the first two ampersands are looked at.
// The key is one whole UTF-8 character; empty when the caption has none. Shared by the buttons
// that mark their access key this way.
#include <string>
#include <string_view>

namespace plainquill::contracts {

std::string accessKeyOf(std::string_view caption);

} // namespace plainquill::contracts

namespace plainquill::contracts {

// The caption as it reads: "&&" is one drawn ampersand, any other "&" marks the key after it and
// is not drawn; a last lone "&" is drawn as it stands.
std::string captionWithoutMark(std::string_view caption);

} // namespace plainquill::contracts
