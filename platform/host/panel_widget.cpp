#include "platform/host/panel_widget.h"

#include "platform/raster/qimage_bridge.h"

#include <QMouseEvent>
#include <QPainter>

namespace plainquill::host {

class QtPanel::Widget final : public QWidget {
public:
    Widget(QtPanel& panel, QWidget* parent) : QWidget(parent), m_panel(panel) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).drawImage(0, 0, raster::toQImage(m_panel.pixels()));
    }
    void mousePressEvent(QMouseEvent*) override { m_panel.press(); }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (rect().contains(event->position().toPoint()))
            m_panel.release();
    }

private:
    QtPanel& m_panel;
};

QtPanel::QtPanel(contracts::Graphics& graphics, contracts::Size size, QWidget* control)
    : RasterPanel(graphics, size), m_control(control)
{
}

QtPanel::~QtPanel() { delete m_widget.data(); }

void QtPanel::shown()
{
    if (m_widget)
        m_widget->update();
}

// The widget waits until the panel is first shown: a hidden child is still an object that a screen
// reader lists under the control, with nothing to say.
void QtPanel::windowChanged()
{
    if (!m_widget) {
        if (!Visible())
            return;
        m_widget = new Widget(*this, m_control);
        m_widget->setFixedSize(ClientSize().width, ClientSize().height);
    }
    if (detached() && m_widget->parentWidget()) {
        Qt::WindowFlags flags = Qt::Window;
        if (topMost())
            flags |= Qt::WindowStaysOnTopHint;
        m_widget->setParent(nullptr, flags);
    }
    m_widget->setWindowTitle(QString::fromStdString(Title()));
    m_widget->setVisible(Visible());
}

} // namespace plainquill::host
