#pragma once
// Between our bitmaps (0x00BBGGRR) and Qt images, for the host (showing a surface, loading
// pictures) and the theme layer.
#include "controls/contracts/bitmap.h"

#include <QImage>

namespace plainquill::raster {

// An opaque QImage::Format_RGB32 copy; monochrome bitmaps become black and white.
QImage toQImage(const contracts::Bitmap& bitmap);
// A 32-bit bitmap of the image's pixels, alpha dropped (null for a null image).
contracts::Bitmap fromQImage(const QImage& image);

} // namespace plainquill::raster
