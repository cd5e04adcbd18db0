#include "platform/host/shown_faces.h"

#include "platform/host/host_widget.h"

#include <QAccessible>

namespace plainquill::host {

void ShownProgressFace::SetMax(std::int32_t max)
{
    m_widget.syncSize();
    m_control.SetMax(max);
}

void ShownProgressFace::SetValue(std::int32_t value)
{
    m_widget.syncSize();
    m_control.SetValue(value);
    m_widget.update();
    QAccessibleValueChangeEvent changed(&m_widget, value); // a screen reader follows the run
    QAccessible::updateAccessibility(&changed);
}

void ShownProgressFace::SetColor(contracts::Colour colour)
{
    m_widget.syncSize();
    m_control.SetColor(colour);
    m_widget.update();
}

void ShownButtonFace::SetCaption(const std::string& caption)
{
    m_widget.syncSize();
    m_control.SetCaption(caption);
    m_widget.update();
}

void ShownButtonFace::SetEnabled(bool enabled)
{
    m_widget.syncSize();
    m_control.SetEnabled(enabled);
    m_widget.update();
    QAccessible::State disabled;
    disabled.disabled = true;
    QAccessibleStateChangeEvent changed(&m_widget, disabled);
    QAccessible::updateAccessibility(&changed);
}

} // namespace plainquill::host
