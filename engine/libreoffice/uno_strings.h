#pragma once
// Text and file names crossing into UNO and back. UNO speaks UTF-16 and file URLs; we keep UTF-8
// and native paths, so every crossing goes through here.
#include <com/sun/star/uno/Exception.hpp>
#include <rtl/ustring.hxx>

#include <filesystem>
#include <string>
#include <string_view>

namespace plainquill::engine::libreoffice {

rtl::OUString to_uno(std::string_view utf8);
std::string from_uno(const rtl::OUString& text);

// An exception's message without LibreOffice's source locations; a stock phrase when it has none.
std::string describe_uno_exception(const css::uno::Exception& exception);

// True when `bytes` read as UTF-8 the way LibreOffice reads them: without a replaced character.
bool is_utf8(std::string_view bytes);

// A file URL for an absolute path, its bytes percent-encoded as they are. LibreOffice decodes them
// as UTF-8, so only a UTF-8 name reaches it intact (see plain_name_links.h for the others).
std::string file_url(const std::filesystem::path& absolute_path);

} // namespace plainquill::engine::libreoffice
