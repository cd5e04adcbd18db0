#include "platform/raster/device_layers.h"

#include "platform/raster/canvas.h"

namespace plainquill::raster {

using contracts::Bitmap;

Bitmap DeviceLayers::find(const Bitmap& bitmap, int scale)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->scale != scale || !it->bitmap.sharesPixelsWith(bitmap))
            continue;
        const bool fits = it->layer.width() == bitmap.width() * scale
            && it->layer.height() == bitmap.height() * scale && it->layer.format() == bitmap.format();
        if (!fits) {
            m_pixels -= static_cast<std::size_t>(it->layer.width()) * it->layer.height();
            m_entries.erase(it);
            return {};
        }
        m_entries.splice(m_entries.begin(), m_entries, it);
        return it->layer;
    }
    return {};
}

Bitmap DeviceLayers::layerFor(const Bitmap& bitmap, int scale)
{
    if (bitmap.isNull() || scale <= 1)
        return {};
    if (Bitmap kept = find(bitmap, scale))
        return kept;
    Bitmap layer = enlarged(bitmap, scale);
    m_entries.push_front({bitmap, layer, scale});
    m_pixels += static_cast<std::size_t>(layer.width()) * layer.height();
    while (m_entries.size() > 1 && (m_entries.size() > kKept || m_pixels > kKeptPixels))
        forgetOldest();
    return layer;
}

void DeviceLayers::forgetOldest()
{
    const Entry& oldest = m_entries.back();
    m_pixels -= static_cast<std::size_t>(oldest.layer.width()) * oldest.layer.height();
    m_entries.pop_back();
}

} // namespace plainquill::raster
