#include "app/run/unicode_names.h"

#include <QString>

#include <cstdlib>

namespace plainquill {

namespace fs = std::filesystem;

bool isValidUtf8(const std::string& bytes)
{
    const QByteArray original = QByteArray::fromStdString(bytes);
    return QString::fromUtf8(original).toUtf8() == original;
}

UnicodeNames::~UnicodeNames()
{
    if (m_folder.empty())
        return;
    std::error_code ignored;
    fs::remove_all(m_folder, ignored); // the links only, never what they point at
}

fs::path UnicodeNames::openable(const fs::path& document)
{
    if (isValidUtf8(document.native()))
        return document;
    std::error_code error;
    if (m_folder.empty()) {
        std::string pattern = (fs::temp_directory_path(error) / "plainquill-names-XXXXXX").native();
        if (error || ::mkdtemp(pattern.data()) == nullptr)
            return {};
        m_folder = pattern;
    }
    // The ending stays: LibreOffice takes it as a hint of the format.
    const std::string ending = document.extension().native();
    const fs::path link = m_folder / ("document-" + std::to_string(++m_count) + (isValidUtf8(ending) ? ending : ""));
    fs::create_symlink(fs::absolute(document, error), link, error);
    return error ? fs::path() : link;
}

} // namespace plainquill
