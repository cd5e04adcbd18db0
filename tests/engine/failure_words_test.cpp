#include "engine/libreoffice/failure_words.h"

#include <com/sun/star/document/BrokenPackageRequest.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/task/DocumentMSPasswordRequest.hpp>
#include <com/sun/star/task/ErrorCodeRequest.hpp>
#include <gtest/gtest.h>

#include <cerrno>

namespace plainquill::engine::libreoffice {
namespace {

using namespace std::chrono_literals;

css::uno::Any errorCodeRequest(unsigned code)
{
    css::task::ErrorCodeRequest request;
    request.ErrCode = static_cast<sal_Int32>(code);
    return css::uno::Any(request);
}

TEST(LibreOfficeFailureWords, EveryKindOfFailureReadsAsWhatHappenedAndWhatToDo)
{
    const char* unreadable =
        "LibreOffice could not read this document; it may be damaged or in a format LibreOffice does not support";
    const std::pair<std::string, const char*> cases[] = {
        {wordsForStop(Step::Reading),
         "LibreOffice stopped while reading this document; it was restarted for the next one"},
        {wordsForStop(Step::Writing),
         "LibreOffice stopped while writing this document's text; it was restarted for the next one"},
        {wordsForTimeLimit(Step::Reading, 120s),
         "LibreOffice took longer than 120 s reading this document and was stopped; it was restarted for the "
         "next one; the document may be too large or damaged"},
        {wordsForException(Step::Reading), unreadable},
        {wordsForException(Step::Writing), "LibreOffice could not turn this document into text; it may be damaged"},
        {wordsForRequest(css::uno::Any(css::task::DocumentMSPasswordRequest())),
         "the document is password-protected; remove the password in a word processor and convert it again"},
        {wordsForRequest(css::uno::Any(css::document::BrokenPackageRequest())),
         "the document is damaged; repair it in a word processor and convert it again"},
        {wordsForRequest(errorCodeRequest(0x04004039)), unreadable},
        {wordsForRequest(css::uno::Any(css::io::IOException())), unreadable},
    };
    for (const auto& [words, expected] : cases)
        EXPECT_EQ(words, expected);
    const std::pair<unsigned, const char*> errorCodes[] = {
        {0x507, "LibreOffice was not allowed to read the document; check that you may read the file"},
        {0x302, "LibreOffice could not find the document; it may have been moved or deleted"},
        {0x90B, "there was not enough memory or disk space to read the document; close other programs or free some "
                "disk space and convert it again"},
        {0xE00, "the document was written by a version of its word processor that LibreOffice cannot read"},
    };
    for (const auto& [code, expected] : errorCodes)
        EXPECT_EQ(wordsForErrorCode(code), expected) << std::hex << code;
    const std::pair<int, const char*> writeErrors[] = {
        {ENOSPC, "the disk is full; free some space on it, or choose another output folder, and convert the document "
                 "again"},
        {EDQUOT, "your disk quota is used up; free some space and convert the document again"},
        {EACCES, "the output folder cannot be written to; choose a folder you may write to"},
        {EROFS, "the output folder is on a read-only disk; choose another output folder"},
        {ENOENT, "the output folder does not exist (any more); choose another output folder"},
        {EIO, "the disk reported an error while the text was written; check the disk"},
        {ETXTBSY, "the text file could not be written (Text file busy)"},
    };
    for (const auto& [error, expected] : writeErrors)
        EXPECT_EQ(wordsForWriteError(error), expected) << error;
}

} // namespace
} // namespace plainquill::engine::libreoffice
