#include "tests/engine/support/zip_writer.h"

#include "tests/engine/support/test_files.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace plainquill::engine::testing {
namespace {

void put(std::string& out, std::uint64_t value, int width)
{
    for (int i = 0; i < width; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

std::uint32_t crcOf(const std::string& bytes, std::uint32_t crc = 0)
{
    return static_cast<std::uint32_t>(
        ::crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::string deflatePart(z_stream& stream, const std::string& input, int flush)
{
    std::string output;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = static_cast<uInt>(input.size());
    char buffer[65536];
    do {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        ::deflate(&stream, flush);
        output.append(buffer, sizeof buffer - stream.avail_out);
    } while (stream.avail_out == 0);
    return output;
}

ZipEntry repeatedEntry(std::string name, const std::string& head, const std::string& body,
                       std::uint64_t repeats, const std::string& tail)
{
    z_stream stream{};
    if (::deflateInit2(&stream, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("zlib cannot deflate");
    // After a full flush nothing refers back: one flushed copy of the body repeats byte for byte.
    std::string stored = deflatePart(stream, head, Z_FULL_FLUSH);
    const std::string bodyStream = deflatePart(stream, body, Z_FULL_FLUSH);
    const std::string tailStream = deflatePart(stream, tail, Z_FINISH);
    ::deflateEnd(&stream);
    stored.reserve(stored.size() + bodyStream.size() * repeats + tailStream.size());
    std::uint32_t crc = crcOf(head);
    for (std::uint64_t i = 0; i < repeats; ++i) {
        stored += bodyStream;
        crc = crcOf(body, crc);
    }
    stored += tailStream;
    const std::uint64_t expanded = head.size() + body.size() * repeats + tail.size();
    return {std::move(name), std::move(stored), 8, crcOf(tail, crc), expanded, {}, false};
}

} // namespace

ZipEntry storedEntry(std::string name, std::string content)
{
    const std::uint32_t crc = crcOf(content);
    const std::uint64_t size = content.size();
    return {std::move(name), std::move(content), 0, crc, size, {}, false};
}

std::string zipArchive(const std::vector<ZipEntry>& entries, const ZipLayout& layout)
{
    std::string archive;
    std::string directory;
    for (const ZipEntry& entry : entries) {
        const std::uint64_t offset = archive.size();
        const std::uint64_t compressed = entry.compressed.value_or(entry.stored.size());
        const std::uint64_t smallCompressed = entry.zip64 ? 0xffffffff : compressed;
        const std::uint64_t smallExpanded = entry.zip64 ? 0xffffffff : entry.expanded;
        std::string extra;
        if (entry.zip64) {
            for (const auto& [value, width] : {std::pair<std::uint64_t, int>{1, 2}, {16, 2}, {entry.expanded, 8},
                                              {compressed, 8}})
                put(extra, value, width);
        }
        std::string fields; // from "version needed" to the extra field's length: the same in both headers
        for (const auto& [value, width] : {std::pair<std::uint64_t, int>{entry.zip64 ? 45 : 20, 2}, {0, 2},
                                          {entry.method, 2}, {0, 4}, {entry.crc, 4}, {smallCompressed, 4},
                                          {smallExpanded, 4}, {entry.name.size(), 2}, {extra.size(), 2}})
            put(fields, value, width);
        put(archive, 0x04034b50, 4);
        archive += fields + entry.name + extra + entry.stored;
        put(directory, 0x02014b50, 4);
        put(directory, 45, 2);
        directory += fields + std::string(10, '\0'); // no comment, disk 0, no attributes
        put(directory, offset, 4);
        directory += entry.name + extra;
    }
    const std::uint64_t directoryOffset = archive.size();
    archive += directory;
    const bool big = layout.zip64End;
    const std::uint64_t n = entries.size();
    if (big) {
        const std::uint64_t recordOffset = archive.size();
        for (const auto& [value, width] : {std::pair<std::uint64_t, int>{0x06064b50, 4}, {44, 8}, {45, 2}, {45, 2},
                                          {0, 4}, {0, 4}, {n, 8}, {n, 8}, {directory.size(), 8},
                                          {directoryOffset, 8}, {0x07064b50, 4}, {0, 4}, {recordOffset, 8}, {1, 4}})
            put(archive, value, width);
    }
    for (const auto& [value, width] : {std::pair<std::uint64_t, int>{0x06054b50, 4}, {0, 2}, {0, 2},
                                      {big ? 0xffff : n, 2}, {big ? 0xffff : n, 2},
                                      {big ? 0xffffffff : directory.size(), 4},
                                      {big ? 0xffffffff : directoryOffset, 4}, {layout.comment.size(), 2}})
        put(archive, value, width);
    return archive + layout.comment;
}

namespace {

std::vector<ZipEntry> packageWith(ZipEntry document)
{
    return {storedEntry("[Content_Types].xml",
                        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/word/document.xml"
  ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>
</Types>)"),
            storedEntry("_rels/.rels", R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Target="word/document.xml"
  Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument"/>
</Relationships>)"),
            std::move(document)};
}

const std::string kDocumentStart =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" )"
    R"(xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing" )"
    R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"
    R"(xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture" )"
    R"(xmlns:v="urn:schemas-microsoft-com:vml" xmlns:o="urn:schemas-microsoft-com:office:office"><w:body>)";

} // namespace

namespace {

// `name` holding `head`, then `paragraph` `repeats` times, then `tail`, deflated without ever
// holding it expanded.
ZipEntry repetitivePart(std::string name, const std::string& head, const std::string& paragraph,
                        std::uint64_t repeats, const std::string& tail)
{
    // Deflate shrinks a part a thousandfold at best: parts of a megabyte keep the flushes' bytes small.
    std::string body;
    const std::uint64_t perPart =
        std::max<std::uint64_t>(1, std::min<std::uint64_t>(repeats, (1 << 20) / paragraph.size()));
    for (std::uint64_t i = 0; i < perPart; ++i)
        body += paragraph;
    const std::uint64_t parts = repeats / perPart;
    std::string end;
    for (std::uint64_t i = parts * perPart; i < repeats; ++i)
        end += paragraph;
    return repeatedEntry(std::move(name), head, body, parts, end + tail);
}

} // namespace

void writeRepetitiveDocx(const std::filesystem::path& file, const std::string& paragraph,
                         std::uint64_t repeats)
{
    writeBytes(file, zipArchive(packageWith(
                         repetitivePart("word/document.xml", kDocumentStart, paragraph, repeats, "</w:body></w:document>"))));
}

void writeRepetitiveOdt(const std::filesystem::path& file, const std::string& paragraph, std::uint64_t repeats)
{
    const std::string head = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
                             R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.3">)"
                             "<office:body><office:text>";
    const std::vector<ZipEntry> entries{
        storedEntry("mimetype", "application/vnd.oasis.opendocument.text"),
        storedEntry("META-INF/manifest.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.3">
<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.opendocument.text"/>
<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>
</manifest:manifest>)"),
        repetitivePart("content.xml", head, paragraph, repeats, "</office:text></office:body></office:document-content>"),
    };
    writeBytes(file, zipArchive(entries));
}

std::string docxPackage(const std::string& body, const std::string& documentRelationships,
                        const ZipEntries& extra)
{
    std::vector<ZipEntry> entries =
        packageWith(storedEntry("word/document.xml", kDocumentStart + body + "</w:body></w:document>"));
    entries.push_back(storedEntry("word/_rels/document.xml.rels",
                                  R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                                      + documentRelationships + "</Relationships>"));
    for (const auto& [name, bytes] : extra)
        entries.push_back(storedEntry(name, bytes));
    return zipArchive(entries);
}

} // namespace plainquill::engine::testing
