#include "engine/libreoffice/whole_text.h"

#include "engine/libreoffice/text_lines.h"
#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextTable.hpp>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

void appendParagraphs(const Reference<css::text::XText>& text, std::string& into);

void appendCells(const Reference<css::text::XTextTable>& table, std::string& into)
{
    // The names come in the table's own order: row by row, each row left to right.
    for (const rtl::OUString& name : table->getCellNames())
        appendParagraphs(Reference<css::text::XText>(table->getCellByName(name), UNO_QUERY), into);
}

void appendParagraphs(const Reference<css::text::XText>& text, std::string& into)
{
    const Reference<css::container::XEnumerationAccess> paragraphs(text, UNO_QUERY);
    if (!paragraphs.is())
        return;
    const Reference<css::container::XEnumeration> each = paragraphs->createEnumeration();
    while (each->hasMoreElements()) {
        const css::uno::Any element = each->nextElement();
        if (const Reference<css::text::XTextTable> table(element, UNO_QUERY); table.is()) {
            appendCells(table, into);
        } else if (const Reference<css::text::XTextRange> paragraph(element, UNO_QUERY); paragraph.is()) {
            into += fromUno(paragraph->getString());
            into += '\n';
        }
    }
}

} // namespace

std::vector<std::string> wholeTextLines(const Reference<css::text::XText>& text)
{
    std::string whole;
    appendParagraphs(text, whole);
    return textLines(whole);
}

} // namespace plainquill::engine::libreoffice
