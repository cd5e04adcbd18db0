#pragma once
// LibreOffice's plain-text export: UTF-8, LF line ends, no byte-order mark.
#include <com/sun/star/lang/XComponent.hpp>

#include <filesystem>

namespace plainquill::adapters::libreoffice {

// Writes the text of `model` to `destination` (an absolute path), replacing what is there.
// `web` selects the Writer/Web variant of the filter, which HTML documents need. Throws UNO
// exceptions when LibreOffice cannot write.
void export_text(const css::uno::Reference<css::lang::XComponent>& model, bool web,
                 const std::filesystem::path& destination);

// FilterOptions of the text export: character set, line end, (font), (language), byte-order mark.
// "UTF8" alone would write a byte-order mark; "UTF-8" silently falls back to a legacy code page.
inline constexpr const char* kTextExportOptions = "UTF8,LF,,,false";

} // namespace plainquill::adapters::libreoffice
