#include "engine/libreoffice/text_export.h"

#include "engine/libreoffice/uno_properties.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/SequenceOutputStream.hpp>
#include <com/sun/star/io/XSequenceOutputStream.hpp>

namespace plainquill::engine::libreoffice {

std::string exportText(const UnoConnection& uno, const css::uno::Reference<css::lang::XComponent>& model,
                       bool web)
{
    const css::uno::Reference<css::frame::XStorable> storable(model, css::uno::UNO_QUERY_THROW);
    // Made inside LibreOffice, so the export's many small writes never cross the bridge.
    const css::uno::Reference<css::io::XSequenceOutputStream> stream =
        css::io::SequenceOutputStream::create(uno.context);
    const char* filter = web ? "Text (encoded) (StarWriter/Web)" : "Text (encoded)";
    storable->storeToURL(toUno("private:stream"),
                         properties({
                             {"FilterName", css::uno::Any(toUno(filter))},
                             {"FilterOptions", css::uno::Any(toUno(kTextExportOptions))},
                             {"OutputStream", css::uno::Any(css::uno::Reference<css::io::XOutputStream>(
                                                  stream, css::uno::UNO_QUERY_THROW))},
                         }));
    const css::uno::Sequence<sal_Int8> bytes = stream->getWrittenBytes();
    return std::string(reinterpret_cast<const char*>(bytes.getConstArray()),
                       static_cast<std::size_t>(bytes.getLength()));
}

} // namespace plainquill::engine::libreoffice
