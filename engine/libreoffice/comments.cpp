#include "engine/libreoffice/comments.h"

#include "engine/libreoffice/text_lines.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XTextFieldsSupplier.hpp>

namespace plainquill::engine::libreoffice {

using css::uno::Reference;
using css::uno::UNO_QUERY;

std::string commentsText(const Reference<css::lang::XComponent>& model)
{
    const Reference<css::text::XTextFieldsSupplier> fields(model, UNO_QUERY);
    if (!fields.is())
        return {};
    std::string text;
    const Reference<css::container::XEnumeration> each = fields->getTextFields()->createEnumeration();
    while (each->hasMoreElements()) {
        const Reference<css::lang::XServiceInfo> field(each->nextElement(), UNO_QUERY);
        const Reference<css::beans::XPropertySet> properties(field, UNO_QUERY);
        if (!field.is() || !properties.is() || !field->supportsService("com.sun.star.text.textfield.Annotation"))
            continue;
        rtl::OUString author, content;
        properties->getPropertyValue("Author") >>= author;
        properties->getPropertyValue("Content") >>= content;
        const std::vector<std::string> lines = textLines(fromUno(content));
        text += author.isEmpty() ? "[comment]" : "[comment: " + fromUno(author) + "]";
        text += lines.empty() ? "\n" : " " + joinedLines(lines);
    }
    return text.empty() ? text : "\n" + text;
}

} // namespace plainquill::engine::libreoffice
