#include "tests/engine/support/document_maker.h"

#include "engine/libreoffice/libreoffice.h"
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
using libreoffice::toUno;

// Office Open XML takes its password as encryption data; the other filters take "Password".
css::beans::PropertyValue passwordProperty(std::string_view filter, std::string_view password)
{
    css::beans::PropertyValue property;
    if (filter == "MS Word 2007 XML" || filter == "Office Open XML Text") {
        css::uno::Sequence<css::beans::NamedValue> encryption(2);
        encryption.getArray()[0].Name = "OOXPassword";
        encryption.getArray()[0].Value <<= toUno(password);
        encryption.getArray()[1].Name = "CryptoType";
        encryption.getArray()[1].Value <<= toUno("Standard");
        property.Name = "EncryptionData";
        property.Value <<= encryption;
    } else {
        property.Name = "Password";
        property.Value <<= toUno(password);
    }
    return property;
}

} // namespace

void makeDocument(WordProcessor& wordProcessor, const std::filesystem::path& source,
                  const std::filesystem::path& target, std::string_view filter,
                  std::string_view password)
{
    OpenResult opened = wordProcessor.Open(source);
    auto* document = dynamic_cast<libreoffice::LibreOfficeDocument*>(opened.document.get());
    if (document == nullptr)
        throw std::runtime_error("cannot open " + source.string() + ": " + opened.detail);
    libreoffice::PropertyList media = properties({
        {"FilterName", css::uno::Any(toUno(filter))},
        {"Overwrite", css::uno::Any(true)},
    });
    if (!password.empty()) {
        media.realloc(media.getLength() + 1);
        media.getArray()[media.getLength() - 1] = passwordProperty(filter, password);
    }
    // LibreOffice may write only in its private folder: it stores there and we move it out.
    const auto* libreOffice = dynamic_cast<const LibreOffice*>(&wordProcessor);
    if (libreOffice == nullptr)
        throw std::runtime_error("documents are made by LibreOffice only");
    const std::filesystem::path stored = libreOffice->privateFolder() / "tmp" / target.filename();
    try {
        const css::uno::Reference<css::frame::XStorable> storable(document->model(),
                                                                  css::uno::UNO_QUERY_THROW);
        storable->storeToURL(toUno(libreoffice::fileUrl(libreOffice->seenInside(stored))), media);
        std::filesystem::copy_file(stored, target, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove(stored);
    } catch (const css::uno::Exception& exception) {
        throw std::runtime_error("cannot store " + target.string() + ": "
                                 + libreoffice::describeUnoException(exception));
    }
    wordProcessor.Close(std::move(opened.document));
}

} // namespace plainquill::engine::testing
