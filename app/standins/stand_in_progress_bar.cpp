#include "app/standins/stand_in_progress_bar.h"

#include "controls/contracts/control_errors.h"

#include <QPainter>

#include <cmath>
#include <limits>

namespace plainquill {

namespace {

// Fractions become integers by rounding halves to the even neighbour.
std::int32_t roundHalfEven(double value)
{
    return static_cast<std::int32_t>(std::nearbyint(value));
}

QColor toQColor(contracts::Colour colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

StandInProgressBar::StandInProgressBar(QWidget* parent) : QWidget(parent) {}

std::int32_t StandInProgressBar::Value() const
{
    return roundHalfEven(m_percent / 100.0 * m_max);
}

void StandInProgressBar::SetValue(std::int32_t value)
{
    const std::int64_t hundredfold = std::int64_t{value} * 100;
    if (hundredfold > std::numeric_limits<std::int32_t>::max()
        || hundredfold < std::numeric_limits<std::int32_t>::min())
        throw contracts::OverflowError();
    if (m_max == 0)
        throw contracts::DivisionByZeroError();
    m_percent = roundHalfEven(static_cast<double>(hundredfold) / m_max);
    repaint();
}

void StandInProgressBar::SetColor(contracts::Colour colour)
{
    // A system colour stands for the selection highlight here; the drawn bar resolves it fully.
    m_colour = (colour & 0x80000000u) ? 0xC56A31u : colour;
    repaint();
}

void StandInProgressBar::paintEvent(QPaintEvent*)
{
    m_percent = std::min(m_percent, 100);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::darkGray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int filled = std::max(0, (width() - 2) * m_percent / 100);
    painter.fillRect(1, 1, filled, height() - 2, toQColor(m_colour));
}

} // namespace plainquill
