#include "engine/libreoffice/uno_strings.h"

#include <rtl/textcvt.h>
#include <rtl/textenc.h>

namespace plainquill::engine::libreoffice {

rtl::OUString toUno(std::string_view utf8)
{
    return rtl::OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

std::string fromUno(const rtl::OUString& text)
{
    const rtl::OString utf8 = rtl::OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

bool isUtf8(std::string_view bytes)
{
    rtl_uString* converted = nullptr;
    const bool whole = rtl_convertStringToUString(&converted, bytes.data(), static_cast<sal_Int32>(bytes.size()),
                                                  RTL_TEXTENCODING_UTF8,
                                                  RTL_TEXTTOUNICODE_FLAGS_UNDEFINED_ERROR
                                                      | RTL_TEXTTOUNICODE_FLAGS_MBUNDEFINED_ERROR
                                                      | RTL_TEXTTOUNICODE_FLAGS_INVALID_ERROR);
    if (converted != nullptr)
        rtl_uString_release(converted);
    return whole;
}

std::string describeUnoException(const css::uno::Exception& exception)
{
    if (!exception.Message.isEmpty()) {
        // LibreOffice appends the source lines that threw (" at ./sfx2/source/..."): noise to a user.
        std::string message = fromUno(exception.Message);
        const std::size_t location = message.find(" at ./");
        if (location != std::string::npos && location > 0)
            message.resize(location);
        return message;
    }
    // UNO's C++ exceptions carry no dynamic type information to name them by.
    return "LibreOffice gave no reason";
}

std::string fileUrl(const std::filesystem::path& absolutePath)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char byte : absolutePath.native()) {
        const bool unreserved = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z')
            || (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_'
            || byte == '~' || byte == '/';
        if (unreserved) {
            url += static_cast<char>(byte);
        } else {
            url += '%';
            url += hex[byte >> 4];
            url += hex[byte & 0x0F];
        }
    }
    return url;
}

} // namespace plainquill::engine::libreoffice
