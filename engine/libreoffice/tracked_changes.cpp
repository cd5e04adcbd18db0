#include "engine/libreoffice/tracked_changes.h"

#include "engine/libreoffice/uno_strings.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/document/XRedlinesSupplier.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include <vector>

namespace plainquill::engine::libreoffice {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

struct Deletion {
    Reference<css::text::XTextRange> start;
    Reference<css::text::XTextRange> end;
};

std::vector<Deletion> trackedDeletions(const Reference<css::container::XEnumerationAccess>& redlines)
{
    std::vector<Deletion> deletions;
    const Reference<css::container::XEnumeration> each = redlines->createEnumeration();
    while (each->hasMoreElements()) {
        const Reference<css::beans::XPropertySet> redline(each->nextElement(), UNO_QUERY);
        if (!redline.is())
            continue;
        rtl::OUString type;
        redline->getPropertyValue("RedlineType") >>= type;
        if (type != "Delete")
            continue;
        Deletion deletion;
        redline->getPropertyValue("RedlineStart") >>= deletion.start;
        redline->getPropertyValue("RedlineEnd") >>= deletion.end;
        if (deletion.start.is() && deletion.end.is())
            deletions.push_back(std::move(deletion));
    }
    return deletions;
}

} // namespace

void acceptTrackedDeletions(const css::uno::Reference<css::lang::XComponent>& model)
{
    const Reference<css::document::XRedlinesSupplier> supplier(model, UNO_QUERY);
    if (!supplier.is())
        return;
    const Reference<css::container::XEnumerationAccess> redlines(supplier->getRedlines(), UNO_QUERY);
    if (!redlines.is() || !redlines->hasElements())
        return;
    stopRecordingChanges(model);
    // All ranges are taken before any is removed: removing text renumbers the redlines.
    for (const Deletion& deletion : trackedDeletions(redlines)) {
        try {
            const Reference<css::text::XText> text = deletion.start->getText();
            const Reference<css::text::XTextCursor> cursor = text->createTextCursorByRange(deletion.start);
            cursor->gotoRange(deletion.end, true);
            cursor->setString(rtl::OUString());
        } catch (const css::uno::RuntimeException&) {
            // A deletion LibreOffice cannot select as one range (across a table's edge, say)
            // stays in the text; the rest are still removed.
        }
    }
}

void stopRecordingChanges(const css::uno::Reference<css::lang::XComponent>& model)
{
    if (const Reference<css::beans::XPropertySet> document(model, UNO_QUERY); document.is())
        document->setPropertyValue("RecordChanges", css::uno::Any(false));
}

} // namespace plainquill::engine::libreoffice
