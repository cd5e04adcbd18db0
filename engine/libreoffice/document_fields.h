#pragma once
// The fields of a document that matter to its text: comments, which LibreOffice keeps as fields,
// and the fields whose value only laid-out pages give.
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XTextContent.hpp>

#include <vector>

namespace plainquill::engine::libreoffice {

struct DocumentFields {
    std::vector<css::uno::Reference<css::text::XTextContent>> comments; // in no particular order
    // Page numbers, page counts and cross-references: without laid-out pages they read 0 or
    // nothing at all ("Page 0", "see ").
    std::vector<css::uno::Reference<css::text::XTextContent>> pageFields;
};

DocumentFields fieldsOf(const css::uno::Reference<css::lang::XComponent>& model);

} // namespace plainquill::engine::libreoffice
