#pragma once
// A tooltip window of our own for a control shown in a HostWidget: a rectangle, or a balloon
// whose pointer points at the cursor, with an optional title and title icon and its own colours.
// It watches the tool window itself, so the control need not pass on the pointer's moves: it
// appears when the pointer has rested over the tool for a moment and goes when the pointer
// leaves, is pressed, or after a while.
#include "controls/contracts/tooltip_window.h"

#include <QPainterPath>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <optional>

class QPainter;

namespace plainquill::host {

class ToolTipWidget final : public QWidget, public contracts::ToolTipWindow {
public:
    // `owner` is the tool window; `defaultText` and `defaultBackground` the system's tip colours.
    ToolTipWidget(QWidget* owner, std::uint32_t style, QColor defaultText, QColor defaultBackground);
    ~ToolTipWidget() override;

    void AddTool(const contracts::ToolInfo& tool) override;
    void DelTool(const contracts::ToolInfo& tool) override;
    void SetTitle(int icon, const std::string& title) override;
    void SetTipTextColor(contracts::Colour colour) override;
    void SetTipBkColor(contracts::Colour colour) override;

    bool isBalloon() const { return m_style & contracts::TTS_BALLOON; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void popUp();
    void layOutAt(QPoint tip);
    QRect bodyRect() const;
    QPainterPath outline() const;
    void paintTitle(QPainter& painter, QRect& content) const;

    QPointer<QWidget> m_owner;
    std::uint32_t m_style;
    std::optional<contracts::ToolInfo> m_tool;
    int m_titleIcon = contracts::TTI_NONE;
    QString m_title;
    QColor m_text;
    QColor m_background;
    QTimer m_showTimer;
    QTimer m_hideTimer;
    bool m_pointerDown = false; // the balloon's pointer is at its bottom (the tip is above the cursor)
};

} // namespace plainquill::host
