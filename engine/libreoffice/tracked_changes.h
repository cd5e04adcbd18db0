#pragma once
// A plain-text copy reads as the document reads once its tracked changes are accepted: inserted
// text stays, deleted text goes. LibreOffice's text export writes both, deleted text included,
// unless a laid-out view hides it, and most documents are never laid out.
#include <com/sun/star/lang/XComponent.hpp>

namespace plainquill::engine::libreoffice {

// Removes the text of every tracked deletion from the loaded `model` (nothing else changes: the
// inserted text is already plain text to the export). Stops recording changes first, so the
// removal is not itself tracked. A model without tracked changes is left alone. Throws UNO
// exceptions.
void acceptTrackedDeletions(const css::uno::Reference<css::lang::XComponent>& model);

// Stops recording changes in `model`, so that text we add or remove does not read as a change.
void stopRecordingChanges(const css::uno::Reference<css::lang::XComponent>& model);

} // namespace plainquill::engine::libreoffice
