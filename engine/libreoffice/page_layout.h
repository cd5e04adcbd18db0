#pragma once
// Laying out a document's pages, which documents loaded for their text otherwise never are.
#include "engine/libreoffice/uno_connection.h"

#include <com/sun/star/lang/XComponent.hpp>

namespace plainquill::engine::libreoffice {

// Gives `model` a hidden view, and with it laid-out pages: page-number and cross-reference fields
// then read as the document shows them. It costs as much as the layout, so only documents with
// such fields are given one. Closing the model closes the view with it.
void layOutPages(const UnoConnection& uno, const css::uno::Reference<css::lang::XComponent>& model);

} // namespace plainquill::engine::libreoffice
