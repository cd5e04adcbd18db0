#include "tests/adapters/support/zip_writer.h"

#include <array>
#include <cstdint>

namespace plainquill::adapters::testing {
namespace {

std::uint32_t crc32(const std::string& bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const unsigned char byte : bytes)
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void put16(std::string& out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace

std::string zip_archive(const ZipEntries& entries)
{
    std::string archive;
    std::string directory;
    for (const auto& [name, bytes] : entries) {
        const auto offset = static_cast<std::uint32_t>(archive.size());
        const std::uint32_t crc = crc32(bytes);
        const auto size = static_cast<std::uint32_t>(bytes.size());
        const auto name_size = static_cast<std::uint32_t>(name.size());

        put32(archive, 0x04034B50); // local file header
        put16(archive, 20);         // version needed
        put16(archive, 0);          // flags
        put16(archive, 0);          // stored
        put32(archive, 0x00210000); // 1980-01-01 00:00
        put32(archive, crc);
        put32(archive, size);
        put32(archive, size);
        put16(archive, name_size);
        put16(archive, 0);
        archive += name;
        archive += bytes;

        put32(directory, 0x02014B50); // central directory header
        put16(directory, 20);
        put16(directory, 20);
        put16(directory, 0);
        put16(directory, 0);
        put32(directory, 0x00210000);
        put32(directory, crc);
        put32(directory, size);
        put32(directory, size);
        put16(directory, name_size);
        put16(directory, 0); // extra
        put16(directory, 0); // comment
        put16(directory, 0); // disk
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, offset);
        directory += name;
    }
    const auto directory_offset = static_cast<std::uint32_t>(archive.size());
    archive += directory;
    put32(archive, 0x06054B50); // end of central directory
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, static_cast<std::uint32_t>(entries.size()));
    put16(archive, static_cast<std::uint32_t>(entries.size()));
    put32(archive, static_cast<std::uint32_t>(directory.size()));
    put32(archive, directory_offset);
    put16(archive, 0);
    return archive;
}

std::string docx_package(const std::string& body, const std::string& document_relationships,
                         const ZipEntries& extra)
{
    ZipEntries entries{
        {"[Content_Types].xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/word/document.xml"
  ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>
</Types>)"},
        {"_rels/.rels",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Target="word/document.xml"
  Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument"/>
</Relationships>)"},
        {"word/document.xml",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
         R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
         R"(xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing" )"
         R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"
         R"(xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture" )"
         R"(xmlns:v="urn:schemas-microsoft-com:vml" xmlns:o="urn:schemas-microsoft-com:office:office">)"
         "<w:body>" + body + "</w:body></w:document>"},
        {"word/_rels/document.xml.rels",
         R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
             + document_relationships + "</Relationships>"},
    };
    entries.insert(entries.end(), extra.begin(), extra.end());
    return zip_archive(entries);
}

} // namespace plainquill::adapters::testing
