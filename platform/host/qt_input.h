#pragma once
// Qt's input values in the container's terms: the platform's virtual-key numbers, button masks
// (1 left, 2 right, 4 middle) and shift masks (1 Shift, 2 Ctrl, 4 Alt).
#include <Qt>

namespace plainquill::host {

// The virtual-key code of a Qt key; 0 for a key the platform has no code for.
int virtualKeyFor(int qtKey);
int buttonMaskFor(Qt::MouseButtons buttons);
int shiftMaskFor(Qt::KeyboardModifiers modifiers);

} // namespace plainquill::host
