#include "engine/libreoffice/plain_name_links.h"

#include "engine/libreoffice/uno_strings.h"

#include <string>

namespace plainquill::engine::libreoffice {

namespace fs = std::filesystem;

fs::path PlainNameLinks::openable(const fs::path& document)
{
    if (is_utf8(document.native()))
        return document;
    fs::create_directories(folder_);
    // The ending stays: LibreOffice takes it as a hint of the format.
    const std::string ending = document.extension().native();
    const fs::path link = folder_ / ("document-" + std::to_string(++made_) + (is_utf8(ending) ? ending : ""));
    fs::remove(link);
    fs::create_symlink(document, link);
    return link;
}

} // namespace plainquill::engine::libreoffice
