#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/io/IOException.hpp>
#include <gtest/gtest.h>

namespace plainquill::engine::libreoffice {
namespace {

TEST(LibreOfficeFileUrl, PercentEncodesEveryByteOutsideTheUnreservedSet)
{
    struct Case {
        const char* path;
        const char* url;
    };
    for (const Case& c : {
             Case{"/tmp/a.doc", "file:///tmp/a.doc"},
             Case{"/tmp/my file#1%.doc", "file:///tmp/my%20file%231%25.doc"},
             Case{"/tmp/caf\xC3\xA9.doc", "file:///tmp/caf%C3%A9.doc"},
             Case{"/tmp/\xFF.doc", "file:///tmp/%FF.doc"}, // not UTF-8: passed through as bytes
             Case{"/a;b?c", "file:///a%3Bb%3Fc"},
         }) {
        EXPECT_EQ(fileUrl(c.path), c.url);
    }
}

TEST(LibreOfficeUtf8Check, AcceptsOnlyWhatLibreOfficeReadsWithoutReplacement)
{
    struct Case {
        const char* bytes;
        bool utf8;
    };
    for (const Case& c : {Case{"plain.docx", true}, Case{"R\xC3\xA9sum\xC3\xA9 \xE4\xB8\xAD.doc", true},
                          Case{"R\xE9sum\xE9.doc", false}, Case{"\xC3", false}, Case{"\xC0\xAF", false},
                          Case{"\xED\xA0\x80", false}, Case{"", true}})
        EXPECT_EQ(isUtf8(c.bytes), c.utf8) << c.bytes;
}

TEST(LibreOfficeUnoText, RoundTripsUtf8)
{
    const std::string text = "Plainquill \xD0\x9F\xD1\x80\xD0\xB8 \xE4\xB8\xAD \xF0\x9F\x98\x80";
    EXPECT_EQ(fromUno(toUno(text)), text);
    EXPECT_EQ(toUno(text).getLength(), 19) << "UTF-16 units: the emoji takes two";
}

TEST(LibreOfficeUnoExceptionText, KeepsTheMessageWithoutLibreOfficesSourceLocations)
{
    struct Case {
        const char* message;
        const char* words;
    };
    for (const Case& c : {
             Case{"SfxBaseModel::impl_store <file:///o/a.txt> failed: 0xc10 at ./sfx2/source/doc/"
                  "sfxbasemodel.cxx:3207 at ./sfx2/source/doc/sfxbasemodel.cxx:1783",
                  "SfxBaseModel::impl_store <file:///o/a.txt> failed: 0xc10"},
             Case{"type detection aborted", "type detection aborted"},
             Case{"", "LibreOffice gave no reason"},
         }) {
        css::io::IOException exception;
        exception.Message = toUno(c.message);
        EXPECT_EQ(describeUnoException(exception), c.words);
    }
}

} // namespace
} // namespace plainquill::engine::libreoffice
