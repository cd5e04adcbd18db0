#pragma once
// Zip archives written byte by byte: well-formed ones (a .docx) and ones that lie about themselves.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace plainquill::engine::testing {

struct ZipEntry {
    std::string name;
    std::string stored;                      // the bytes as they sit in the archive
    std::uint16_t method = 0;                // 0 stored, 8 deflated
    std::uint32_t crc = 0;
    std::uint64_t expanded = 0;              // the uncompressed size declared
    std::optional<std::uint64_t> compressed; // the compressed size declared; else stored's size
    bool zip64 = false;                      // sizes in a zip64 extra field
};

ZipEntry storedEntry(std::string name, std::string content);

struct ZipLayout {
    bool zip64End = false; // a zip64 end record and locator
    std::string comment;
};

std::string zipArchive(const std::vector<ZipEntry>& entries, const ZipLayout& layout = {});

using ZipEntries = std::vector<std::pair<std::string, std::string>>; // name, bytes

// A .docx with `body` inside <w:body>, the <Relationship> elements of word/document.xml.rels and
// `extra` parts.
std::string docxPackage(const std::string& body, const std::string& documentRelationships = {},
                        const ZipEntries& extra = {});

// A .docx whose body is `paragraph` `repeats` times, deflated without ever holding it expanded.
void writeRepetitiveDocx(const std::filesystem::path& file, const std::string& paragraph,
                         std::uint64_t repeats);
// The same as an OpenDocument text (.odt), `paragraph` being a <text:p> element.
void writeRepetitiveOdt(const std::filesystem::path& file, const std::string& paragraph, std::uint64_t repeats);

} // namespace plainquill::engine::testing
