#pragma once
// Documents the tests write themselves: a short sample in every input format, with the exact text
// LibreOffice must give for it, and long documents for the time-limit tests.
#include "engine/word_processor.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace plainquill::engine::testing {

// Cyrillic, Latin-1, currency signs, CJK and a dash: what a code-page slip would garble.
inline constexpr std::string_view kSampleText =
    "Plainquill sample: \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, caf\xC3\xA9, \xC2\xA3"
    "5, \xE2\x82\xAC" "10, \xE4\xB8\xAD\xE6\x96\x87\n"
    "Second line \xE2\x80\x94 with an em dash\n";

std::string sampleRtf();   // non-ASCII as \u escapes, as word processors write it
std::string sampleHtml(); // UTF-8, declared in a meta element
std::string sampleAbiWord(); // AbiWord's own XML, which LibreOffice reads but does not write

// `paragraphs` paragraphs of filler text: about 15 make a page.
std::string longHtml(int paragraphs);

// Writes the sample as `folder`/`stem``extension`. ".html", ".htm", ".rtf" and ".abw" are written by
// hand; ".doc", ".docx", ".odt", ".ott", ".fodt", ".dot", ".dotx", ".dotm", ".docm" and ".xml" (Word
// 2003 XML) are made by `wordProcessor` from the RTF.
std::filesystem::path writeSample(WordProcessor& wordProcessor, const std::filesystem::path& folder,
                                  const std::string& stem, const std::string& extension);

// A long .docx made by `wordProcessor` from longHtml(paragraphs).
std::filesystem::path writeLongDocx(WordProcessor& wordProcessor,
                                    const std::filesystem::path& folder, int paragraphs);

} // namespace plainquill::engine::testing
