#pragma once
// The control faces the window uses, passed through to the hosted control. Before each set the
// control learns of a size the window gave it while hidden; after it the widget shows what the
// control drew, since the window calls the control directly rather than through a notification.
// Errors of the control reach the window unchanged.
#include "controls/contracts/button_face.h"
#include "controls/contracts/progress_face.h"

namespace plainquill::host {

class HostWidget;

class ShownProgressFace final : public contracts::ProgressFace {
public:
    ShownProgressFace(contracts::ProgressFace& control, HostWidget& widget) : m_control(control), m_widget(widget) {}

    std::int32_t Max() const override { return m_control.Max(); }
    void SetMax(std::int32_t max) override;
    std::int32_t Value() const override { return m_control.Value(); }
    void SetValue(std::int32_t value) override;
    contracts::Colour Color() const override { return m_control.Color(); }
    void SetColor(contracts::Colour colour) override;

private:
    contracts::ProgressFace& m_control;
    HostWidget& m_widget;
};

class ShownButtonFace final : public contracts::ButtonFace {
public:
    ShownButtonFace(contracts::ButtonFace& control, HostWidget& widget) : m_control(control), m_widget(widget) {}

    std::string Caption() const override { return m_control.Caption(); }
    void SetCaption(const std::string& caption) override;
    bool Enabled() const override { return m_control.Enabled(); }
    void SetEnabled(bool enabled) override;
    void SetClickHandler(ClickHandler handler) override { m_control.SetClickHandler(std::move(handler)); }
    std::string ToolTipText() const override { return m_control.ToolTipText(); }
    bool IsCheckButton() const override { return m_control.IsCheckButton(); }
    bool Checked() const override { return m_control.Checked(); }

private:
    contracts::ButtonFace& m_control;
    HostWidget& m_widget;
};

} // namespace plainquill::host
