// isButton's tooltip. While its own tooltip is up the control borrows the container's tooltip
// text, so that only one tooltip shows.
#include "controls/isbutton/is_button.h"

namespace plainquill::isbutton {

using namespace contracts;

// FIXME: no tooltip window is made yet; only the container's text is borrowed and given back.
void isButton::BuildToolTip()
{
    m_toolTipText = container().Extender().ToolTipText();
    container().Extender().SetToolTipText("");
}

void isButton::RemoveToolTip() { container().Extender().SetToolTipText(m_toolTipText); }

} // namespace plainquill::isbutton
