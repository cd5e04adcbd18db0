#pragma once
// LibreOffice holds every path as Unicode text: it cannot open a document whose name is not valid
// UTF-8 (Latin-1 names from old shares), however its URL is escaped. Such a document is handed to
// it under a link with a plain name in the instance's private folder, which goes with it. (Its
// text needs nothing of the kind: we write that file ourselves, under the target's own bytes.)
#include <filesystem>

namespace plainquill::engine::libreoffice {

class PlainNameLinks {
public:
    // Links are made in `folder`, which is created on first need and belongs to the caller.
    explicit PlainNameLinks(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    // `document` itself when LibreOffice can open it by its name, else a link to it with a plain
    // name. Throws std::filesystem::filesystem_error when no link can be made.
    std::filesystem::path openable(const std::filesystem::path& document);

private:
    std::filesystem::path m_folder;
    unsigned m_made = 0;
};

} // namespace plainquill::engine::libreoffice
