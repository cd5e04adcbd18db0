#pragma once
// A plain push button offering the drawn buttons' face, used until the drawn button it stands
// for is hosted in the window.
#include "controls/contracts/button_face.h"

#include <QPushButton>

namespace plainquill {

class StandInButton : public QPushButton, public contracts::ButtonFace {
public:
    explicit StandInButton(QWidget* parent = nullptr);

    std::string Caption() const override;
    void SetCaption(const std::string& caption) override;
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    void SetClickHandler(ClickHandler handler) override;

private:
    ClickHandler m_click;
};

} // namespace plainquill
