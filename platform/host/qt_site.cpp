#include "platform/host/qt_site.h"

#include "platform/host/panel_widget.h"
#include "platform/host/tooltip_widget.h"

#include "platform/host/host_widget.h"
#include "platform/host/pointer_shapes.h"
#include "platform/host/qt_child_timer.h"
#include "platform/raster/qimage_bridge.h"

#include <QApplication>
#include <QDesktopServices>
#include <QImage>
#include <QPalette>
#include <QPointer>
#include <QUrl>

#include <stdexcept>

namespace plainquill::host {

using namespace contracts;

QtSite::QtSite(HostWidget& widget, raster::RasterGraphics& graphics, Theme& theme, std::unique_ptr<Control> control,
               SiteOptions options)
    : ControlSite(graphics, theme, std::move(control), options), m_widget(widget), m_graphics(graphics),
      m_accessKeys(widget, [this](int key) { accessKeyPressed(key); }),
      m_sounds(QString::fromStdString(options.resourceFolder))
{
}

WindowHandle QtSite::hWnd() const { return reinterpret_cast<WindowHandle>(&m_widget); }

std::unique_ptr<ChildTimer> QtSite::CreateTimer(std::function<void()> onTick)
{
    return std::make_unique<QtChildTimer>([this, onTick = std::move(onTick)] { deliver("Timer", onTick); });
}

void QtSite::DoEvents()
{
    m_widget.update();
    QCoreApplication::processEvents();
}

void QtSite::SendKeys(std::string_view keys)
{
    // The platform queues typed keys behind the current message; so do we.
    if (keys != "{TAB}" && keys != "+{TAB}")
        return; // the controls send nothing else
    const bool next = keys == "{TAB}";
    QMetaObject::invokeMethod(
        &m_widget, [widget = QPointer<HostWidget>(&m_widget), next] {
            if (widget)
                widget->moveFocus(next);
        },
        Qt::QueuedConnection);
}

void QtSite::NavigateTo(std::string_view address)
{
    const QUrl url = QUrl::fromUserInput(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
    if (!url.isValid() || !QDesktopServices::openUrl(url))
        throw std::runtime_error("the address cannot be opened: " + std::string(address));
}

void QtSite::ShellOpen(std::string_view document)
{
    // The shell's answer is not the caller's business; a link nobody handles just does nothing.
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(document.data(), static_cast<qsizetype>(document.size()))));
}

void QtSite::PlayWave(std::string_view path) { m_sounds.play(path); }

// While the pointer is over the control, Qt has just told where; only away from it is the display
// server asked.
Point QtSite::GetCursorPos() const
{
    const std::optional<QPoint> seen = m_widget.pointerSeenAt();
    const QPoint p = seen ? *seen : QCursor::pos();
    return {p.x(), p.y()};
}

// childAt and widgetAt honour masks, so a point in a cut-away corner finds what lies below.
WindowHandle QtSite::WindowFromPoint(Point screen) const
{
    const QPoint at(screen.x, screen.y);
    QWidget* window = m_widget.window();
    const QPoint inWindow = window->mapFromGlobal(at);
    // Where the pointer is seen over the control, the top-level window under it is the control's.
    if (m_widget.pointerSeenAt() == at && window->rect().contains(inWindow)) {
        QWidget* child = window->childAt(inWindow);
        return reinterpret_cast<WindowHandle>(child ? child : window);
    }
    return reinterpret_cast<WindowHandle>(QApplication::widgetAt(at));
}

Point QtSite::ClientToScreen(Point client) const
{
    const QPoint p = m_widget.mapToGlobal(QPoint(client.x, client.y));
    return {p.x(), p.y()};
}

void QtSite::SetCapture()
{
    m_captured = true;
    // While a button is held Qt already sends everything here; grabbing then would be undone by
    // the release, so grab only when no button is down.
    if (QGuiApplication::mouseButtons() == Qt::NoButton && !m_grabbed) {
        m_widget.grabMouse();
        m_grabbed = true;
    }
}

void QtSite::ReleaseCapture()
{
    m_captured = false;
    if (m_grabbed) {
        m_widget.releaseMouse();
        m_grabbed = false;
    }
}

WindowHandle QtSite::ParentWindow() const { return reinterpret_cast<WindowHandle>(m_widget.parentWidget()); }

std::unique_ptr<Dc> QtSite::ParentWindowDc()
{
    std::unique_ptr<Dc> dc = m_graphics.createMemoryDc();
    QWidget* parent = m_widget.parentWidget();
    if (!parent || parent->size().isEmpty())
        return dc;
    QImage image(parent->size(), QImage::Format_RGB32);
    image.fill(parent->palette().color(parent->backgroundRole()));
    // The parent alone, without its child controls: what lies behind this one.
    parent->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    dc->selectBitmap(raster::fromQImage(image));
    return dc;
}

PictureRef QtSite::ParentPicture() const
{
    QWidget* parent = m_widget.parentWidget();
    if (!parent)
        return nullptr;
    const QBrush brush = parent->palette().brush(parent->backgroundRole());
    if (brush.textureImage().isNull())
        return nullptr;
    return Picture::fromBitmap(raster::fromQImage(brush.textureImage()));
}

void QtSite::surfaceChanged()
{
    if (!m_widget.isPainting())
        m_widget.update();
}

void QtSite::applyEnabled(bool enabled) { m_widget.setEnabled(enabled); }

void QtSite::applyRegion(const std::optional<Region>& region)
{
    if (region)
        m_widget.setMask(toQRegion(*region));
    else
        m_widget.clearMask();
}

void QtSite::applyPointer(int shape, const PictureRef& icon)
{
    if (const std::optional<QCursor> cursor = cursorFor(shape, icon))
        m_widget.setCursor(*cursor);
    else
        m_widget.unsetCursor();
}

void QtSite::applyAccessKeys(const std::string& keys) { m_accessKeys.set(keys); }

std::unique_ptr<ToolTipWindow> QtSite::CreateToolTipWindow(std::uint32_t style)
{
    const SystemColours& sys = graphics().systemColours();
    const auto colour = [&](int index) {
        const Colour c = sys.sysColor(index);
        return QColor(redOf(c), greenOf(c), blueOf(c));
    };
    return std::make_unique<ToolTipWidget>(&m_widget, style, colour(COLOR_INFOTEXT), colour(COLOR_INFOBK));
}

std::unique_ptr<PanelWindow> QtSite::CreatePanel(Size size)
{
    return std::make_unique<QtPanel>(m_graphics, size, &m_widget);
}

void QtSite::applyToolTip(const std::string& text) { m_widget.setToolTip(QString::fromStdString(text)); }

void QtSite::requestSize(Size pixels)
{
    m_widget.resize(pixels.width, pixels.height);
    // A hidden widget hears of its new size only when shown; the control must hear now.
    if (clientSize() != pixels)
        resizeTo(pixels);
}

Point QtSite::positionInParent() const { return {m_widget.x(), m_widget.y()}; }

void QtSite::takeFocus() { m_widget.setFocus(Qt::ShortcutFocusReason); }

} // namespace plainquill::host
