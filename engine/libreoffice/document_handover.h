#pragma once
// LibreOffice is confined to its private folder (landlock.h), and the documents of a run change
// while it runs, so each document is handed to it inside that folder: a hard link when the folder
// is on the document's file system, a copy else. Its own name goes with it, as fields may show
// it; a name that is not valid UTF-8 (Latin-1 names from old shares), which LibreOffice cannot
// open however its URL is escaped, is replaced by a plain one. (Its text needs nothing of the
// kind: we write that file ourselves, under the target's own bytes.)
#include <filesystem>

namespace plainquill::engine::libreoffice {

// One document inside the private folder; removed with this object.
class HandedOverDocument {
public:
    HandedOverDocument() = default;
    explicit HandedOverDocument(std::filesystem::path folder, std::filesystem::path file)
        : m_folder(std::move(folder)), m_file(std::move(file)) {}
    ~HandedOverDocument() { remove(); }
    HandedOverDocument(HandedOverDocument&& other) noexcept;
    HandedOverDocument& operator=(HandedOverDocument&& other) noexcept;

    const std::filesystem::path& path() const { return m_file; }
    void remove() noexcept;

private:
    std::filesystem::path m_folder; // of its own, so the document keeps its name
    std::filesystem::path m_file;
};

class DocumentHandover {
public:
    // Documents go under `folder`, which is created on first need and belongs to the caller.
    explicit DocumentHandover(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    // Throws std::filesystem::filesystem_error when the document can be neither linked nor copied.
    HandedOverDocument handOver(const std::filesystem::path& document);

private:
    std::filesystem::path m_folder;
    unsigned m_made = 0;
};

} // namespace plainquill::engine::libreoffice
