#include "tests/engine/support/document_maker.h"

#include "engine/libreoffice/libreoffice_document.h"
#include "engine/libreoffice/uno_properties.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/frame/XStorable.hpp>

#include <stdexcept>
#include <string>

namespace plainquill::engine::testing {
namespace {

using libreoffice::properties;
using libreoffice::to_uno;

// Office Open XML takes its password as encryption data; the other filters take "Password".
css::beans::PropertyValue password_property(std::string_view filter, std::string_view password)
{
    css::beans::PropertyValue property;
    if (filter == "MS Word 2007 XML" || filter == "Office Open XML Text") {
        css::uno::Sequence<css::beans::NamedValue> encryption(2);
        encryption.getArray()[0].Name = "OOXPassword";
        encryption.getArray()[0].Value <<= to_uno(password);
        encryption.getArray()[1].Name = "CryptoType";
        encryption.getArray()[1].Value <<= to_uno("Standard");
        property.Name = "EncryptionData";
        property.Value <<= encryption;
    } else {
        property.Name = "Password";
        property.Value <<= to_uno(password);
    }
    return property;
}

} // namespace

void make_document(WordProcessor& word_processor, const std::filesystem::path& source,
                   const std::filesystem::path& target, std::string_view filter,
                   std::string_view password)
{
    OpenResult opened = word_processor.Open(source);
    auto* document = dynamic_cast<libreoffice::LibreOfficeDocument*>(opened.document.get());
    if (document == nullptr)
        throw std::runtime_error("cannot open " + source.string() + ": " + opened.detail);
    libreoffice::PropertyList media = properties({
        {"FilterName", css::uno::Any(to_uno(filter))},
        {"Overwrite", css::uno::Any(true)},
    });
    if (!password.empty()) {
        media.realloc(media.getLength() + 1);
        media.getArray()[media.getLength() - 1] = password_property(filter, password);
    }
    try {
        const css::uno::Reference<css::frame::XStorable> storable(document->model(),
                                                                  css::uno::UNO_QUERY_THROW);
        storable->storeToURL(to_uno(libreoffice::file_url(std::filesystem::absolute(target))), media);
    } catch (const css::uno::Exception& exception) {
        throw std::runtime_error("cannot store " + target.string() + ": "
                                 + libreoffice::describe_uno_exception(exception));
    }
    word_processor.Close(std::move(opened.document));
}

} // namespace plainquill::engine::testing
