#pragma once
// LibreOffice holds every path as Unicode text: it can neither open nor write a file whose name
// is not valid UTF-8 (Latin-1 names from old shares), however its URL is escaped. Such a document
// is handed to it under a link with a plain name in a private folder, and such a text is written
// under a plain hidden name beside its target and renamed to the real name once complete.
#include <filesystem>
#include <string>

namespace plainquill {

bool isValidUtf8(const std::string& bytes);

class UnicodeNames {
public:
    UnicodeNames() = default;
    ~UnicodeNames(); // removes the private folder and its links
    UnicodeNames(const UnicodeNames&) = delete;
    UnicodeNames& operator=(const UnicodeNames&) = delete;

    // `document`, or a link to it that LibreOffice can open; empty when no link could be made.
    std::filesystem::path openable(const std::filesystem::path& document);

    // `target`, or a hidden name in its folder to write first and then move to `target`.
    std::filesystem::path writable(const std::filesystem::path& target);

private:
    std::filesystem::path m_folder; // made on first need
    unsigned m_count = 0;
};

} // namespace plainquill
