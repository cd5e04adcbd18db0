#include "engine/libreoffice/document_fields.h"

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>

#include <algorithm>
#include <string_view>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

constexpr std::string_view kComment = "com.sun.star.text.textfield.Annotation";
constexpr std::string_view kPageKinds[] = {
    "com.sun.star.text.textfield.PageNumber",
    "com.sun.star.text.textfield.PageCount",
    "com.sun.star.text.textfield.GetReference",
};

bool names(const css::uno::Sequence<rtl::OUString>& services, std::string_view wanted)
{
    return std::any_of(services.begin(), services.end(),
                       [&](const rtl::OUString& service) { return service.equalsAscii(wanted.data()); });
}

} // namespace

DocumentFields fieldsOf(const Reference<css::lang::XComponent>& model)
{
    DocumentFields fields;
    const Reference<css::text::XTextFieldsSupplier> supplier(model, UNO_QUERY);
    if (!supplier.is())
        return fields;
    const Reference<css::container::XEnumeration> each = supplier->getTextFields()->createEnumeration();
    while (each->hasMoreElements()) {
        const Reference<css::lang::XServiceInfo> field(each->nextElement(), UNO_QUERY);
        if (!field.is())
            continue;
        // One call for all the names, rather than one a question: documents may hold thousands.
        const css::uno::Sequence<rtl::OUString> services = field->getSupportedServiceNames();
        if (names(services, kComment))
            fields.comments.emplace_back(field, UNO_QUERY);
        else if (std::any_of(std::begin(kPageKinds), std::end(kPageKinds),
                             [&](std::string_view kind) { return names(services, kind); }))
            fields.pageFields.emplace_back(field, UNO_QUERY);
    }
    return fields;
}

} // namespace plainquill::engine::libreoffice
