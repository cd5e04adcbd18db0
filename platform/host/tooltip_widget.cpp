#include "platform/host/tooltip_widget.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>

namespace plainquill::host {

namespace {

constexpr int kInitialDelayMs = 500;
constexpr int kAutoPopMs = 5000;
constexpr int kPadding = 6;
constexpr int kPointerHeight = 12;
constexpr int kIconSize = 16;

QColor fromColour(contracts::Colour c)
{
    return QColor(contracts::redOf(c), contracts::greenOf(c), contracts::blueOf(c));
}

QStyle::StandardPixmap iconPixmap(int icon)
{
    switch (icon) {
    case contracts::TTI_WARNING:
        return QStyle::SP_MessageBoxWarning;
    case contracts::TTI_ERROR:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

} // namespace

ToolTipWidget::ToolTipWidget(QWidget* owner, std::uint32_t style, QColor defaultText, QColor defaultBackground)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), m_owner(owner), m_style(style),
      m_text(defaultText), m_background(defaultBackground)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kInitialDelayMs);
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(kAutoPopMs);
    QObject::connect(&m_showTimer, &QTimer::timeout, this, [this] { popUp(); });
    QObject::connect(&m_hideTimer, &QTimer::timeout, this, [this] { hide(); });
    if (m_owner)
        m_owner->installEventFilter(this);
}

ToolTipWidget::~ToolTipWidget()
{
    if (m_owner)
        m_owner->removeEventFilter(this);
}

void ToolTipWidget::AddTool(const contracts::ToolInfo& tool)
{
    m_tool = tool;
    if (m_owner && m_owner->underMouse())
        m_showTimer.start();
}

void ToolTipWidget::DelTool(const contracts::ToolInfo&)
{
    m_tool.reset();
    m_showTimer.stop();
    hide();
}

void ToolTipWidget::SetTitle(int icon, const std::string& title)
{
    m_titleIcon = icon;
    m_title = QString::fromStdString(title);
}

void ToolTipWidget::SetTipTextColor(contracts::Colour colour) { m_text = fromColour(colour); }

void ToolTipWidget::SetTipBkColor(contracts::Colour colour) { m_background = fromColour(colour); }

bool ToolTipWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_owner && m_tool) {
        switch (event->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            if (!isVisible() && !m_showTimer.isActive())
                m_showTimer.start();
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            m_showTimer.stop();
            hide();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// An empty tool text shows nothing: an empty box would tell the user nothing.
void ToolTipWidget::popUp()
{
    if (!m_tool || m_tool->text.empty() || !m_owner)
        return;
    const QPoint cursor = QCursor::pos();
    const QPoint local = m_owner->mapFromGlobal(cursor);
    const contracts::Rect& r = m_tool->rect;
    if (!QRect(r.left, r.top, r.width(), r.height()).contains(local))
        return;
    layOutAt(cursor);
    show();
    raise();
    m_hideTimer.start();
}

void ToolTipWidget::layOutAt(QPoint cursor)
{
    const QFontMetrics body(font());
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics heading(bold);
    const QString text = QString::fromStdString(m_tool->text);
    const QRect textBox = body.boundingRect(QRect(0, 0, 320, 1000), Qt::TextWordWrap, text);
    int width = textBox.width(), height = textBox.height();
    if (!m_title.isEmpty() || m_titleIcon != contracts::TTI_NONE) {
        const int iconWidth = m_titleIcon != contracts::TTI_NONE ? kIconSize + 4 : 0;
        width = std::max(width, iconWidth + heading.horizontalAdvance(m_title));
        height += std::max(kIconSize, heading.height()) + 4;
    }
    const int pointer = isBalloon() ? kPointerHeight : 0;
    QSize size(width + 2 * kPadding + 1, height + 2 * kPadding + 1 + pointer);
    // A balloon points up at the cursor from below it, or down from above when there is no room.
    QPoint topLeft(cursor.x() - (isBalloon() ? 16 : 0), cursor.y() + (isBalloon() ? 2 : 20));
    const QScreen* screen = QGuiApplication::screenAt(cursor);
    m_pointerDown = false;
    if (screen && topLeft.y() + size.height() > screen->availableGeometry().bottom()) {
        topLeft.setY(cursor.y() - size.height() - 2);
        m_pointerDown = true;
    }
    setGeometry(QRect(topLeft, size));
}

QRect ToolTipWidget::bodyRect() const
{
    const int pointer = isBalloon() ? kPointerHeight : 0;
    return QRect(0, m_pointerDown ? 0 : pointer, width() - 1, height() - pointer - 1);
}

// The window's outline: the body, and for a balloon its rounded corners and its pointer.
QPainterPath ToolTipWidget::outline() const
{
    const QRect body = bodyRect();
    QPainterPath path;
    if (!isBalloon()) {
        path.addRect(body);
        return path;
    }
    path.addRoundedRect(body, 8, 8);
    QPolygonF pointer;
    const int x = 16;
    if (m_pointerDown)
        pointer << QPointF(x + 4, body.bottom()) << QPointF(x, height() - 1) << QPointF(x + 16, body.bottom());
    else
        pointer << QPointF(x + 4, body.top()) << QPointF(x, 0) << QPointF(x + 16, body.top());
    QPainterPath tip;
    tip.addPolygon(pointer);
    tip.closeSubpath();
    return path.united(tip);
}

// The icon and the bold title at the top of `content`, which then shrinks to the room below them.
void ToolTipWidget::paintTitle(QPainter& painter, QRect& content) const
{
    int x = content.left();
    if (m_titleIcon != contracts::TTI_NONE) {
        const QIcon icon = QApplication::style()->standardIcon(iconPixmap(m_titleIcon));
        icon.paint(&painter, QRect(x, content.top(), kIconSize, kIconSize));
        x += kIconSize + 4;
    }
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const int line = std::max(kIconSize, QFontMetrics(bold).height());
    painter.drawText(QRect(x, content.top(), content.right() - x, line), Qt::AlignVCenter, m_title);
    painter.setFont(font());
    content.setTop(content.top() + line + 4);
}

void ToolTipWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, isBalloon());
    const QPainterPath path = outline();
    painter.fillPath(path, m_background);
    painter.setPen(m_text);
    painter.drawPath(path);

    QRect content = bodyRect().adjusted(kPadding, kPadding, -kPadding, -kPadding);
    if (!m_title.isEmpty() || m_titleIcon != contracts::TTI_NONE)
        paintTitle(painter, content);
    painter.drawText(content, Qt::TextWordWrap, QString::fromStdString(m_tool ? m_tool->text : std::string()));
}

} // namespace plainquill::host
