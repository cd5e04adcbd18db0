#include "app/adapters/libreoffice/text_export.h"

#include "app/adapters/libreoffice/uno_properties.h"
#include "app/adapters/libreoffice/uno_strings.h"

#include <com/sun/star/frame/XStorable.hpp>

namespace plainquill::adapters::libreoffice {

void export_text(const css::uno::Reference<css::lang::XComponent>& model, bool web,
                 const std::filesystem::path& destination)
{
    const css::uno::Reference<css::frame::XStorable> storable(model, css::uno::UNO_QUERY_THROW);
    const char* filter = web ? "Text (encoded) (StarWriter/Web)" : "Text (encoded)";
    storable->storeToURL(to_uno(file_url(destination)),
                         properties({
                             {"FilterName", css::uno::Any(to_uno(filter))},
                             {"FilterOptions", css::uno::Any(to_uno(kTextExportOptions))},
                             {"Overwrite", css::uno::Any(true)},
                         }));
}

} // namespace plainquill::adapters::libreoffice
