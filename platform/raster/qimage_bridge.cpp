#include "platform/raster/qimage_bridge.h"

namespace plainquill::raster {

using contracts::Bitmap;

QImage toQImage(const Bitmap& bitmap)
{
    if (bitmap.isNull())
        return {};
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const std::uint32_t* in = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x)
            out[x] = qRgb(contracts::redOf(in[x]), contracts::greenOf(in[x]), contracts::blueOf(in[x]));
    }
    return image;
}

Bitmap fromQImage(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Bitmap bitmap = Bitmap::create({rgb.width(), rgb.height()});
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        std::uint32_t* out = bitmap.row(y);
        for (int x = 0; x < rgb.width(); ++x)
            out[x] = contracts::rgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
    }
    return bitmap;
}

} // namespace plainquill::raster
