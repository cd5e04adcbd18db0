#include "platform/host/pointer_shapes.h"

#include "platform/raster/qimage_bridge.h"

#include <QPixmap>

namespace plainquill::host {

using namespace contracts;

namespace {

std::optional<QCursor> customCursor(const PictureRef& icon)
{
    if (!icon)
        return std::nullopt;
    if (const Bitmap* bitmap = icon->bitmap())
        return QCursor(QPixmap::fromImage(raster::toQImage(*bitmap)));
    if (const Icon* i = icon->icon()) {
        // The mask's white pixels are transparent.
        QImage image = raster::toQImage(i->colourBitmap()).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (i->maskBitmap().pixel(x, y) == kWhite)
                    image.setPixel(x, y, qRgba(0, 0, 0, 0));
        return QCursor(QPixmap::fromImage(image));
    }
    return std::nullopt;
}

} // namespace

std::optional<QCursor> cursorFor(int shape, const PictureRef& icon)
{
    switch (shape) {
    case POINTER_ARROW:
    case POINTER_ICON:
        return QCursor(Qt::ArrowCursor);
    case POINTER_CROSS:
        return QCursor(Qt::CrossCursor);
    case POINTER_IBEAM:
        return QCursor(Qt::IBeamCursor);
    case POINTER_SIZE:
    case POINTER_SIZE_ALL:
        return QCursor(Qt::SizeAllCursor);
    case POINTER_SIZE_NESW:
        return QCursor(Qt::SizeBDiagCursor);
    case POINTER_SIZE_NS:
        return QCursor(Qt::SizeVerCursor);
    case POINTER_SIZE_NWSE:
        return QCursor(Qt::SizeFDiagCursor);
    case POINTER_SIZE_WE:
        return QCursor(Qt::SizeHorCursor);
    case POINTER_UP_ARROW:
        return QCursor(Qt::UpArrowCursor);
    case POINTER_HOURGLASS:
        return QCursor(Qt::WaitCursor);
    case POINTER_NO_DROP:
        return QCursor(Qt::ForbiddenCursor);
    case POINTER_ARROW_HOURGLASS:
        return QCursor(Qt::BusyCursor);
    case POINTER_ARROW_QUESTION:
        return QCursor(Qt::WhatsThisCursor);
    case POINTER_CUSTOM:
        return customCursor(icon);
    default:
        return std::nullopt;
    }
}

QRegion toQRegion(const Region& region)
{
    QRegion result;
    for (const Rect& r : region.rects())
        result += QRect(r.left, r.top, r.width(), r.height());
    return result;
}

} // namespace plainquill::host
