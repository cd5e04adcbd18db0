#pragma once
// The pointing-hand pointer picture HandPointer shows: drawn here, so the control needs no
// resource file that could be missing.
#include "controls/contracts/picture.h"

namespace plainquill::chameleon {

contracts::PictureRef handPointerPicture();

} // namespace plainquill::chameleon
