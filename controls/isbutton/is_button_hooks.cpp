// The places where input, hover, painting and the tooltip attach to the model. None of them is
// built yet: the button keeps and stores its properties, but draws no face, places no caption,
// shows no tooltip and does not hook its window. Each function says what is still missing.
#include "controls/isbutton/is_button.h"

namespace plainquill::isbutton {

// FIXME: the caption rectangle and format for each alignment and reading order, and the window
// shape of each look, are not computed; ButtonRect is the only geometry kept.
void isButton::PlaceCaptionAndShape() {}

// FIXME: no look is drawn yet (faces, icon, caption, focus mark, the state overrides), and so
// IconMargin is never set per look.
void isButton::DrawButton() {}

// FIXME: there is no tooltip window yet; the text is only kept and stored.
void isButton::BuildToolTip() {}

// FIXME: the pointer entering and leaving is not watched yet, so MouseEnter and MouseLeave are
// never raised and the button never turns Hot through the pointer.
void isButton::InstallHoverHook() {}

void isButton::RemoveHoverHooks() { m_hoverHook.reset(); }

} // namespace plainquill::isbutton
