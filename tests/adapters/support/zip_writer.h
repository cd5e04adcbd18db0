#pragma once
// Zip archives written byte by byte, so that tests can make well-formed ones (a .docx) and ones
// that lie about themselves.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace plainquill::adapters::testing {

struct ZipEntry {
    std::string name;
    std::string stored;             // the bytes as they sit in the archive
    std::uint16_t method = 0;       // 0 stored, 8 deflated
    std::uint32_t crc = 0;
    std::uint64_t expanded = 0;     // the uncompressed size the archive declares
    std::optional<std::uint64_t> compressed; // the compressed size it declares; else stored's size
    bool zip64 = false;             // declare the sizes in a zip64 extra field
};

// An entry stored as it is.
ZipEntry stored_entry(std::string name, std::string content);

// A deflated entry whose content is `head`, then `body` `repeats` times, then `tail`: a real
// deflate stream, made without ever holding the expanded content, so it may expand to gigabytes.
ZipEntry repeated_entry(std::string name, const std::string& head, const std::string& body,
                        std::uint64_t repeats, const std::string& tail);

struct ZipLayout {
    bool zip64_end = false;  // end with a zip64 end record and locator
    std::string comment;
};

std::string zip_archive(const std::vector<ZipEntry>& entries, const ZipLayout& layout = {});

using ZipEntries = std::vector<std::pair<std::string, std::string>>; // name, bytes

// A .docx package: the content types, the package relationships and `word/document.xml` with
// `body` (WordprocessingML inside <w:body>), plus `document_relationships` (the <Relationship>
// elements of word/_rels/document.xml.rels) and any `extra` parts, all stored.
std::string docx_package(const std::string& body, const std::string& document_relationships = {},
                         const ZipEntries& extra = {});

// A .docx whose body is `paragraph` (a <w:p> element) `repeats` times.
void write_repetitive_docx(const std::filesystem::path& file, const std::string& paragraph,
                           std::uint64_t repeats);

} // namespace plainquill::adapters::testing
