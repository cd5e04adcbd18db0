#pragma once
// Test documents in the binary formats (.doc, .docx, encrypted ones), made by the LibreOffice
// under test from hand-written RTF or HTML: the tests then need no binary files of their own.
#include "engine/word_processor.h"

#include <filesystem>
#include <string_view>

namespace plainquill::engine::testing {

// Opens `source` in `wordProcessor` (a LibreOffice) and has LibreOffice store it as `target`
// through the export filter `filter` ("MS Word 97", "MS Word 2007 XML", "writer8"), encrypted
// with `password` unless that is empty. Throws std::runtime_error.
void makeDocument(WordProcessor& wordProcessor, const std::filesystem::path& source,
                  const std::filesystem::path& target, std::string_view filter,
                  std::string_view password = {});

} // namespace plainquill::engine::testing
