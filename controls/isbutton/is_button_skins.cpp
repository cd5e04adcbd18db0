// The pixel-painted skins: 5 BlueSkin, 7 FaceSkin, 8 Gradient, 9 Glossy, 10 Rounded. A skin
// whose gradient has no steps ends early; the icon and caption are drawn all the same.
#include "controls/isbutton/is_button.h"

#include "controls/isbutton/skin_canvas.h"

namespace plainquill::isbutton {

using namespace contracts;

// FIXME: the skins are not drawn yet; their looks leave the face cleared.
void isButton::DrawSkin(Dc&) {}

} // namespace plainquill::isbutton
