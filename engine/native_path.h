#pragma once
// File names on this system are bytes, not text: a name copied from an old share in a Latin-1
// code page is not valid UTF-8. The queue carries each path as its bytes, so the file can still
// be opened, and shows it as text with replacement characters where the bytes are not UTF-8.
#include <QString>

#include <filesystem>

namespace plainquill {

// The bytes a path typed or chosen as text names.
std::filesystem::path pathFromText(const QString& text);

// The path as a person reads it; bytes that are not UTF-8 show as replacement characters.
QString displayText(const std::filesystem::path& path);

} // namespace plainquill
