#include "app/standins/stand_in_button.h"

namespace plainquill {

StandInButton::StandInButton(QWidget* parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_click)
            m_click();
    });
}

std::string StandInButton::Caption() const
{
    return text().toStdString();
}

void StandInButton::SetCaption(const std::string& caption)
{
    setText(QString::fromStdString(caption));
}

bool StandInButton::Enabled() const
{
    return isEnabled();
}

void StandInButton::SetEnabled(bool enabled)
{
    setEnabled(enabled);
}

void StandInButton::SetClickHandler(ClickHandler handler)
{
    m_click = std::move(handler);
}

} // namespace plainquill
