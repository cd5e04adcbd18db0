#include "platform/host/shown_faces.h"

#include <QWidget>

namespace plainquill::host {

void ShownProgressFace::SetMax(std::int32_t max) { m_control.SetMax(max); }

void ShownProgressFace::SetValue(std::int32_t value)
{
    m_control.SetValue(value);
    m_widget.update();
}

void ShownProgressFace::SetColor(contracts::Colour colour)
{
    m_control.SetColor(colour);
    m_widget.update();
}

void ShownButtonFace::SetCaption(const std::string& caption)
{
    m_control.SetCaption(caption);
    m_widget.update();
}

void ShownButtonFace::SetEnabled(bool enabled)
{
    m_control.SetEnabled(enabled);
    m_widget.update();
}

} // namespace plainquill::host
