#pragma once
// LibreOffice holds every path as Unicode text: it cannot open a document whose name is not valid
// UTF-8 (Latin-1 names from old shares), however its URL is escaped. Such a document is handed to
// it under a link with a plain name in a private folder. (Its text needs nothing of the kind: the
// adapter writes it under a name of its own and renames it to the target's bytes.)
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

private:
    std::filesystem::path m_folder; // made on first need
    unsigned m_count = 0;
};

} // namespace plainquill
