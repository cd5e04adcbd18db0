#include "engine/libreoffice/layout_crashes.h"

namespace plainquill::engine::libreoffice {

bool LayoutCrashes::begin(const std::filesystem::path& document)
{
    const std::lock_guard lock(m_mutex);
    return m_begun.insert(document).second;
}

void LayoutCrashes::end(const std::filesystem::path& document)
{
    const std::lock_guard lock(m_mutex);
    m_begun.erase(document);
}

} // namespace plainquill::engine::libreoffice
