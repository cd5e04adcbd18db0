#pragma once
// The control's picture panel shown by Qt: a child of the control's widget, made when the panel is
// first shown, that becomes a framed, top-most window of its own when the control detaches it.
#include "platform/host/raster_panel.h"

#include <QPointer>
#include <QWidget>

namespace plainquill::host {

class QtPanel final : public RasterPanel {
public:
    QtPanel(contracts::Graphics& graphics, contracts::Size size, QWidget* control);
    ~QtPanel() override;

private:
    class Widget;
    void shown() override;
    void windowChanged() override;

    QPointer<QWidget> m_control;
    QPointer<Widget> m_widget;
};

} // namespace plainquill::host
