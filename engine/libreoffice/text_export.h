#pragma once
// LibreOffice's plain-text export: UTF-8, LF line ends, no byte-order mark.
#include "engine/libreoffice/uno_connection.h"

#include <com/sun/star/lang/XComponent.hpp>

#include <string>

namespace plainquill::engine::libreoffice {

// The text of `model`, as LibreOffice's text export writes it. The export goes into a memory
// stream inside LibreOffice and comes back in one call: LibreOffice never writes a file of ours
// (it reports success when a full disk cut its file short), and we write the text ourselves
// with every step checked. `web` selects the Writer/Web variant of the filter, which HTML
// documents need. Throws UNO exceptions when LibreOffice cannot export.
std::string exportText(const UnoConnection& uno, const css::uno::Reference<css::lang::XComponent>& model,
                       bool web);

// FilterOptions of the text export: character set, line end, (font), (language), byte-order mark.
// "UTF8" alone would write a byte-order mark; "UTF-8" silently falls back to a legacy code page.
inline constexpr const char* kTextExportOptions = "UTF8,LF,,,false";

} // namespace plainquill::engine::libreoffice
