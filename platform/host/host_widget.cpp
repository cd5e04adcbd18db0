#include "platform/host/host_widget.h"

#include "controls/contracts/key_codes.h"
#include "platform/host/qt_input.h"
#include "platform/host/qt_site.h"
#include "platform/host/shown_faces.h"
#include "platform/raster/qimage_bridge.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include <utility>

namespace plainquill::host {

using namespace contracts;

namespace {

Point clientPoint(const QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

int characterOf(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.size() != 1)
        return 0;
    const char16_t c = text.at(0).unicode();
    return c == 127 ? 0 : c; // Delete types no character
}

// Tab or Shift+Tab as Qt uses them to move the focus.
bool movesFocus(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}


} // namespace

HostWidget::HostWidget(std::unique_ptr<Control> control, raster::RasterGraphics& graphics, Theme& theme,
                       SiteOptions options, QWidget* parent)
    : QWidget(parent)
{
    // Until it is placed the control has no area, so nothing is drawn at a size it never has.
    resize(0, 0);
    setAttribute(Qt::WA_OpaquePaintEvent); // the surface covers every pixel
    setMouseTracking(true);                // moves without a button held are notifications too
    m_site = std::make_unique<QtSite>(*this, graphics, theme, std::move(control), std::move(options));
    m_site->setErrorHandler([](std::string_view notification, const std::exception& error) {
        qWarning("drawn control: %.*s ended by an error: %s", int(notification.size()), notification.data(),
                 error.what());
    });
    m_site->setScale(scaleFor(devicePixelRatioF()));
    setFocusPolicy(m_site->control().CanGetFocus() ? Qt::StrongFocus : Qt::NoFocus);
    connect(this, &QObject::objectNameChanged, this,
            [this](const QString& name) { m_site->setInstanceName(name.toStdString()); });
    if (auto* face = dynamic_cast<ProgressFace*>(&m_site->control()))
        m_progress = std::make_unique<ShownProgressFace>(*face, *this);
    if (auto* face = dynamic_cast<ButtonFace*>(&m_site->control()))
        m_button = std::make_unique<ShownButtonFace>(*face, *this);
}

HostWidget::~HostWidget() { m_site->terminate(); }

void HostWidget::loadNew() { m_site->initializeNew(); }

void HostWidget::load(const PropertyBag& bag) { m_site->initializeFrom(bag); }

PropertyBag HostWidget::save() { return m_site->save(); }

ControlSite& HostWidget::site() { return *m_site; }

Control& HostWidget::control() { return m_site->control(); }

ProgressFace* HostWidget::progressFace() const { return m_progress.get(); }

ButtonFace* HostWidget::buttonFace() const { return m_button.get(); }

void HostWidget::setDisplayAsDefault(bool isDefault) { m_site->setDisplayAsDefault(isDefault); }

int HostWidget::scaleFor(qreal devicePixelRatio)
{
    constexpr qreal kRoundingSlack = 1e-6; // 2.0000001 is a ratio of 2
    return std::max(1, static_cast<int>(std::ceil(devicePixelRatio - kRoundingSlack)));
}

void HostWidget::followScreen()
{
    const int scale = scaleFor(devicePixelRatioF());
    if (scale == m_site->scale())
        return;
    m_site->setScale(scale);
    update();
}

bool HostWidget::event(QEvent* event)
{
    // Seen here, before a disabled widget drops its input: the pointer is where it is all the same.
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        m_pointerSeenAt = static_cast<QSinglePointEvent*>(event)->globalPosition().toPoint();
        break;
    case QEvent::Leave:
        m_pointerSeenAt.reset();
        break;
    default:
        break;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (event->type() == QEvent::DevicePixelRatioChange)
        followScreen();
#endif
    // Qt tells every widget of a window that moved to another screen with this event.
    if (event->type() == QEvent::ScreenChangeInternal)
        followScreen();
    // Tab reaches the control as a key before the focus moves on: leaving by Tab ends its hover.
    if (event->type() == QEvent::KeyPress && movesFocus(static_cast<QKeyEvent*>(event)))
        m_site->keyPressed(9, shiftMaskFor(static_cast<QKeyEvent*>(event)->modifiers()), 0);
    return QWidget::event(event);
}

// The device pixels carry the scale as their ratio: at a screen ratio of exactly that scale Qt
// copies them 1:1, otherwise it scales them down by what is left (2 shown at 1.5).
void HostWidget::paintEvent(QPaintEvent*)
{
    followScreen(); // a ratio may change without an event reaching this widget
    m_painting = true;
    m_site->bringUpToDate();
    m_painting = false;
    QImage image = raster::toQImage(m_site->windowDevicePixels());
    image.setDevicePixelRatio(m_site->scale());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(0, 0, image);
}

void HostWidget::resizeEvent(QResizeEvent*) { syncSize(); }

void HostWidget::syncSize()
{
    const Size now{width(), height()};
    if (now != m_site->clientSize())
        m_site->resizeTo(now);
}

void HostWidget::showEvent(QShowEvent*) { m_site->showControl(); }

void HostWidget::hideEvent(QHideEvent*) { m_site->hideControl(); }

void HostWidget::mousePressEvent(QMouseEvent* event)
{
    m_site->mousePressed(buttonMaskFor(event->button()), shiftMaskFor(event->modifiers()), clientPoint(event));
}

void HostWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_site->mouseDoubleClicked(buttonMaskFor(event->button()), shiftMaskFor(event->modifiers()), clientPoint(event));
}

// While a button is held Qt keeps sending the moves here and tells of the pointer leaving only at
// the release; a control that watches for the leave must hear of it as the pointer goes.
void HostWidget::mouseMoveEvent(QMouseEvent* event)
{
    const Point at = clientPoint(event);
    m_site->mouseMoved(buttonMaskFor(event->buttons()), shiftMaskFor(event->modifiers()), at);
    if (event->buttons() != Qt::NoButton && !m_site->isInsideShape(at))
        m_site->pointerLeft();
}

void HostWidget::mouseReleaseEvent(QMouseEvent* event)
{
    m_site->mouseReleased(buttonMaskFor(event->button()), shiftMaskFor(event->modifiers()), clientPoint(event));
}

void HostWidget::keyPressEvent(QKeyEvent* event)
{
    if (movesFocus(event))
        return; // already delivered by event(), even when the focus had nowhere to go
    // The drawn buttons answer only Space; a desktop user presses a focused button with Enter too.
    if (m_button && isEnter(event)) {
        m_enterDown = true;
        m_site->keyPressed(contracts::keys::kSpace, shiftMaskFor(event->modifiers()), contracts::keys::kSpace);
        return;
    }
    m_site->keyPressed(virtualKeyFor(event->key()), shiftMaskFor(event->modifiers()), characterOf(event));
}

void HostWidget::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return; // a held key is released once, at the end
    if (m_button && isEnter(event)) {
        // Only the end of an Enter this button saw begin: the release of an Enter that answered a
        // message box lands on whichever button has the focus after it, and must not press that.
        if (std::exchange(m_enterDown, false))
            m_site->keyReleased(contracts::keys::kSpace, shiftMaskFor(event->modifiers()));
        return;
    }
    m_site->keyReleased(virtualKeyFor(event->key()), shiftMaskFor(event->modifiers()));
}

void HostWidget::focusInEvent(QFocusEvent*) { m_site->focusEntered(); }

void HostWidget::focusOutEvent(QFocusEvent*)
{
    m_enterDown = false;
    m_site->focusLeft();
}

// Qt drops a move to the place it last saw the pointer, so a pointer that left the window and
// comes back to that very place brings an entry and no move: the entry is the control's move.
void HostWidget::enterEvent(QEnterEvent* event)
{
    const QPoint at = event->position().toPoint();
    m_site->mouseMoved(buttonMaskFor(event->buttons()), shiftMaskFor(event->modifiers()), {at.x(), at.y()});
}

// Qt tells a disabled widget of the pointer leaving it, which a disabled control must not hear:
// its click handler may still be running (a whole conversion run is one click of Start) and would
// undo the leave when it ends. The leave is told once the control is enabled again.
void HostWidget::leaveEvent(QEvent*)
{
    if (isEnabled())
        m_site->pointerLeft();
}

void HostWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::StyleChange)
        m_site->windowMessage(WindowMessage::ThemeChanged);
    else if (event->type() == QEvent::PaletteChange)
        m_site->windowMessage(WindowMessage::SysColorChange);
    else if (event->type() == QEvent::EnabledChange)
        // Queued: the control is still in the middle of changing its Enabled when Qt says so.
        QMetaObject::invokeMethod(this, &HostWidget::rereadPointer, Qt::QueuedConnection);
    QWidget::changeEvent(event);
}

// A disabled control hears nothing of the pointer, so a button disabled under the pointer would
// stay lit after the pointer left, and one enabled under it would not light up until it moved.
void HostWidget::rereadPointer()
{
    const QPoint global = QCursor::pos();
    const QPoint at = mapFromGlobal(global);
    const bool over = isVisible() && rect().contains(at) && QApplication::widgetAt(global) == this;
    if (!over)
        m_site->pointerLeft();
    else if (isEnabled())
        m_site->mouseMoved(buttonMaskFor(QGuiApplication::mouseButtons()),
                           shiftMaskFor(QGuiApplication::keyboardModifiers()), {at.x(), at.y()});
}

} // namespace plainquill::host
