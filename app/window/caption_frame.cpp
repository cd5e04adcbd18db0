#include "app/window/caption_frame.h"

#include <QPainter>

namespace plainquill {

namespace {

constexpr int kCaptionLeft = 8; // where the caption starts, in from the frame's left edge
constexpr int kCaptionPadding = 2; // line gap either side of the caption

} // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

int CaptionFrame::topLineY() const
{
    return fontMetrics().height() / 2;
}

QRect CaptionFrame::captionRect() const
{
    if (title().isEmpty())
        return {};
    const QFontMetrics metrics = fontMetrics();
    return {kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding, metrics.height()};
}

void CaptionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // An etched border: a shadow line with a light line inside it, open where the caption stands.
    const QRect box(QPoint(0, topLineY()), QPoint(width() - 1, height() - 1));
    const QRect caption = captionRect();
    const auto drawBox = [&](const QRect& r, const QColor& colour) {
        painter.setPen(colour);
        if (caption.isEmpty()) {
            painter.drawLine(r.topLeft(), r.topRight());
        } else {
            painter.drawLine(r.left(), r.top(), caption.left() - 1, r.top());
            painter.drawLine(caption.right() + 1, r.top(), r.right(), r.top());
        }
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    drawBox(box.adjusted(0, 0, -1, -1), palette().color(QPalette::Dark));
    drawBox(box.adjusted(1, 1, 0, 0), palette().color(QPalette::Light));
    if (caption.isEmpty())
        return;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
}

} // namespace plainquill
