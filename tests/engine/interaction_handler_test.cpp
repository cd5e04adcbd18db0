#include "engine/libreoffice/interaction_handler.h"

#include <com/sun/star/document/BrokenPackageRequest.hpp>
#include <com/sun/star/task/DocumentMSPasswordRequest.hpp>
#include <com/sun/star/task/DocumentPasswordRequest.hpp>
#include <com/sun/star/task/ErrorCodeRequest.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <gtest/gtest.h>

namespace plainquill::engine::libreoffice {
namespace {

TEST(LibreOfficeDescribeRequest, NamesWhatLibreOfficeAskedAbout)
{
    css::task::ErrorCodeRequest errorCode;
    errorCode.ErrCode = 0x20D;
    css::io::IOException other;
    other.Message = "disk on fire";
    struct Case {
        css::uno::Any request;
        std::string words;
    };
    for (const Case& c : {
             Case{css::uno::Any(css::task::DocumentPasswordRequest()), "the document is password-protected"},
             Case{css::uno::Any(css::task::DocumentMSPasswordRequest()), "the document is password-protected"},
             Case{css::uno::Any(css::document::BrokenPackageRequest()), "the document is damaged"},
             Case{css::uno::Any(errorCode), "LibreOffice could not read it (error 0x0000020D)"},
             Case{css::uno::Any(other), "LibreOffice asked com.sun.star.io.IOException: disk on fire"},
         }) {
        EXPECT_EQ(describeRequest(c.request), c.words);
    }
}

} // namespace
} // namespace plainquill::engine::libreoffice
