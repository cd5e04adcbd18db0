#include "engine/libreoffice/plain_name_links.h"

#include "engine/libreoffice/uno_strings.h"

#include <string>

namespace plainquill::engine::libreoffice {

namespace fs = std::filesystem;

fs::path PlainNameLinks::openable(const fs::path& document)
{
    if (isUtf8(document.native()))
        return document;
    fs::create_directories(m_folder);
    // The ending stays: LibreOffice takes it as a hint of the format.
    const std::string ending = document.extension().native();
    const fs::path link = m_folder / ("document-" + std::to_string(++m_made) + (isUtf8(ending) ? ending : ""));
    fs::remove(link);
    fs::create_symlink(document, link);
    return link;
}

} // namespace plainquill::engine::libreoffice
