// XP_ProgressBar's off-screen buffer: made to the control's size, re-made when the control grows,
// never shrunk, released at Terminate.
#include "controls/progressbar/xp_progress_bar.h"

#include "controls/progressbar/progress_arithmetic.h"

namespace plainquill::progressbar {

using namespace contracts;

void XP_ProgressBar::Sethdc(Dc* /*ignored*/)
{
    const int w = roundHalfEven(container().ScaleWidth());
    const int h = roundHalfEven(container().ScaleHeight());
    if (Dc* buffer = EnsureBuffer(w, h)) {
        m_drawDC = buffer;
        m_buffered = true;
    } else {
        m_drawDC = &container().hDC(); // Buffered keeps its value
    }
}

Dc* XP_ProgressBar::EnsureBuffer(int w, int h)
{
    if (m_bufferDC) {
        if (m_bufferHeight < h || m_bufferWidth < w)
            CreateBuffer(w, h);
    } else if (w > 0 && h > 0) {
        CreateBuffer(w, h);
    }
    return m_bufferDC.get();
}

void XP_ProgressBar::CreateBuffer(int w, int h)
{
    DestroyBuffer();
    const std::unique_ptr<Dc> screen = container().graphics().createScreenDc();
    if (!screen)
        return;
    m_bufferDC = screen->createCompatibleDc();
    m_bufferBitmap = screen->createCompatibleBitmap({w, h});
    if (m_bufferDC && m_bufferBitmap)
        m_bufferOldBitmap = m_bufferDC->selectBitmap(m_bufferBitmap);
    if (m_bufferDC && m_bufferBitmap && m_bufferOldBitmap) {
        m_bufferWidth = w;
        m_bufferHeight = h;
    } else {
        DestroyBuffer();
    }
}

void XP_ProgressBar::DestroyBuffer()
{
    if (m_bufferOldBitmap && m_bufferDC)
        m_bufferDC->selectBitmap(m_bufferOldBitmap);
    // Drawing must not reach a DC that is gone: DrawDC forgets it (the next set-up picks anew).
    if (m_drawDC && m_drawDC == m_bufferDC.get())
        m_drawDC = nullptr;
    m_bufferBitmap = {};
    m_bufferDC.reset();
    m_bufferOldBitmap = {};
    m_bufferWidth = 0;
    m_bufferHeight = 0;
}

} // namespace plainquill::progressbar
