#pragma once
// A plain bar offering the drawn progress bar's face, with the same Value arithmetic, used until
// the drawn bar is hosted in the window.
#include "controls/contracts/progress_face.h"

#include <QWidget>

namespace plainquill {

class StandInProgressBar : public QWidget, public contracts::ProgressFace {
public:
    explicit StandInProgressBar(QWidget* parent = nullptr);

    std::int32_t Max() const override { return m_max; }
    void SetMax(std::int32_t max) override { m_max = max; }
    std::int32_t Value() const override;
    void SetValue(std::int32_t value) override;
    contracts::Colour Color() const override { return m_colour; }
    void SetColor(contracts::Colour colour) override;

    std::int32_t Percent() const { return m_percent; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::int32_t m_max = 100;
    std::int32_t m_percent = 0;
    contracts::Colour m_colour = 0xFFFFFF;
};

} // namespace plainquill
