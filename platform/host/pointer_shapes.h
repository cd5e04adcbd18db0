#pragma once
// The surface's pointer shapes as Qt cursors, and window regions as Qt masks.
#include "controls/contracts/container.h"

#include <QCursor>
#include <QRegion>

#include <optional>

namespace plainquill::host {

// nullopt for the default shape (the widget inherits its parent's cursor). The custom shape
// shows the MouseIcon picture, or the default when there is none.
std::optional<QCursor> cursorFor(int shape, const contracts::PictureRef& icon);

QRegion toQRegion(const contracts::Region& region);

} // namespace plainquill::host
