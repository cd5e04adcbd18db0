#include "engine/libreoffice/document_handover.h"

#include "engine/libreoffice/uno_strings.h"

#include <string>
#include <utility>

namespace plainquill::engine::libreoffice {

namespace fs = std::filesystem;

HandedOverDocument::HandedOverDocument(HandedOverDocument&& other) noexcept
    : m_folder(std::exchange(other.m_folder, {})), m_file(std::exchange(other.m_file, {}))
{
}

HandedOverDocument& HandedOverDocument::operator=(HandedOverDocument&& other) noexcept
{
    if (this != &other) {
        remove();
        m_folder = std::exchange(other.m_folder, {});
        m_file = std::exchange(other.m_file, {});
    }
    return *this;
}

void HandedOverDocument::remove() noexcept
{
    if (m_folder.empty())
        return;
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
    m_folder.clear();
}

HandedOverDocument DocumentHandover::handOver(const fs::path& document)
{
    const fs::path folder = m_folder / std::to_string(++m_made);
    fs::create_directories(folder);
    // The ending stays even on a plain name: LibreOffice takes it as a hint of the format.
    const std::string ending = document.extension().native();
    const fs::path name = isUtf8(document.filename().native())
                              ? document.filename()
                              : fs::path("document" + (isUtf8(ending) ? ending : std::string()));
    HandedOverDocument handed(folder, folder / name); // removed again if neither works
    std::error_code linkError;
    fs::create_hard_link(document, handed.path(), linkError);
    // Across file systems, or where the kernel refuses links to others' files: a copy.
    if (linkError)
        fs::copy_file(document, handed.path());
    return handed;
}

} // namespace plainquill::engine::libreoffice
