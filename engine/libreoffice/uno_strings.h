#pragma once
// Text and file names crossing into UNO and back. UNO speaks UTF-16 and file URLs; we keep UTF-8
// and native paths, so every crossing goes through here.
#include <com/sun/star/uno/Exception.hpp>
#include <rtl/ustring.hxx>

#include <filesystem>
#include <string>
#include <string_view>

namespace plainquill::engine::libreoffice {

rtl::OUString toUno(std::string_view utf8);
std::string fromUno(const rtl::OUString& text);

// An exception's message without LibreOffice's source locations; a stock phrase when it has none.
std::string describeUnoException(const css::uno::Exception& exception);

// True when `bytes` read as UTF-8 the way LibreOffice reads them: without a replaced character.
bool isUtf8(std::string_view bytes);

// A file URL for an absolute path, its bytes percent-encoded as they are. LibreOffice decodes them
// as UTF-8, so only a UTF-8 name reaches it intact (see document_handover.h for the others).
std::string fileUrl(const std::filesystem::path& absolutePath);

} // namespace plainquill::engine::libreoffice
