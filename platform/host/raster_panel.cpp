#include "platform/host/raster_panel.h"

namespace plainquill::host {

using namespace contracts;

RasterPanel::RasterPanel(Graphics& graphics, Size size)
    : m_pixels(Bitmap::create(size)), m_dc(graphics.createMemoryDc())
{
    m_previous = m_dc->selectBitmap(m_pixels);
}

RasterPanel::~RasterPanel() { m_dc->selectBitmap(m_previous); }

void RasterPanel::SetVisible(bool visible)
{
    const bool appearing = visible && !m_visible;
    m_visible = visible;
    windowChanged();
    if (appearing && m_handlers.paint)
        m_handlers.paint();
}

void RasterPanel::SetTitle(const std::string& title)
{
    m_title = title;
    windowChanged();
}

void RasterPanel::DetachFromControl()
{
    m_detached = true;
    windowChanged();
}

void RasterPanel::press()
{
    if (m_handlers.mouseDown)
        m_handlers.mouseDown();
}

void RasterPanel::release()
{
    if (m_handlers.click)
        m_handlers.click();
}

} // namespace plainquill::host
