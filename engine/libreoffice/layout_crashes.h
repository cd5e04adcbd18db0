#pragma once
// Page layouts that crashed LibreOffice, remembered across the instances of a run.
#include <filesystem>
#include <mutex>
#include <set>

namespace plainquill::engine::libreoffice {

// The documents whose layout stopped LibreOffice. Some damaged documents that LibreOffice reads
// well crash it as their pages are laid out; a document's next try, on a fresh LibreOffice, goes
// without pages (its page numbers read 0) rather than failing again. Shared by the instances one
// launcher starts, which may run on different threads.
class LayoutCrashes {
public:
    // False when a layout of `document` began before and never ended; else notes that one begins.
    bool begin(const std::filesystem::path& document);
    // The layout of `document` and the export after it ended with LibreOffice still there.
    void end(const std::filesystem::path& document);

private:
    std::mutex m_mutex;
    std::set<std::filesystem::path> m_begun;
};

} // namespace plainquill::engine::libreoffice
