#pragma once
// A minimal ZIP writer (entries stored, not compressed): enough to build .docx packages by hand,
// with the external references and fields a test needs, which no word processor would write.
#include <string>
#include <utility>
#include <vector>

namespace plainquill::adapters::testing {

using ZipEntries = std::vector<std::pair<std::string, std::string>>; // name, bytes

// The bytes of a ZIP archive holding `entries` in order.
std::string zip_archive(const ZipEntries& entries);

// A .docx package: the content types, the package relationships and `word/document.xml` with
// `body` (WordprocessingML inside <w:body>), plus `document_relationships` (the <Relationship>
// elements of word/_rels/document.xml.rels) and any `extra` parts.
std::string docx_package(const std::string& body, const std::string& document_relationships = {},
                         const ZipEntries& extra = {});

} // namespace plainquill::adapters::testing
