#pragma once
// The Qt widget that hosts one drawn control in a real window: Qt's events become the
// container's notifications (control_site.h), the control's surface is what the widget shows,
// its window region is the widget's mask, and its access keys are shortcuts of the whole window.
//
// Make one, then load it (loadNew or load), then place it; Resize, Show and Paint follow from
// Qt's own events. Destroying the widget sends Terminate.
#include "controls/contracts/button_face.h"
#include "controls/contracts/control.h"
#include "controls/contracts/progress_face.h"
#include "platform/host/control_site.h"

#include <QWidget>

#include <memory>
#include <optional>

namespace plainquill::host {

class QtSite;
class ShownProgressFace;
class ShownButtonFace;

class HostWidget : public QWidget {
public:
    HostWidget(std::unique_ptr<contracts::Control> control, raster::RasterGraphics& graphics, contracts::Theme& theme,
               SiteOptions options, QWidget* parent = nullptr);
    ~HostWidget() override;

    void loadNew();                                   // Initialize, InitProperties
    void load(const contracts::PropertyBag& bag);     // Initialize, ReadProperties
    contracts::PropertyBag save();

    ControlSite& site();
    contracts::Control& control();
    // The control's faces, if it offers them. Calls through them show their drawing at once.
    contracts::ProgressFace* progressFace() const;
    contracts::ButtonFace* buttonFace() const;

    // The window is the form's default button (the container's DisplayAsDefault).
    void setDisplayAsDefault(bool isDefault);

    // A hidden widget hears of its geometry only when shown; the control must know it sooner,
    // before the window uses it. Sends Resize when the size differs from the control's.
    void syncSize();

    // For the site: move the focus as Tab (next) or Shift+Tab would.
    void moveFocus(bool next) { focusNextPrevChild(next); }
    // The whole number of device pixels per logical pixel the control is drawn at: the screen's
    // ratio rounded up, so that Qt only ever scales the picture down (1.5: drawn at 2).
    static int scaleFor(qreal devicePixelRatio);
    bool isPainting() const { return m_painting; }
    // Where the pointer is on the screen, from the last mouse event Qt gave this widget since the
    // pointer came over it; empty once it left. Asking the display server instead costs a round
    // trip, and a hovered button asks every few milliseconds while the pointer rests on it.
    std::optional<QPoint> pointerSeenAt() const { return m_pointerSeenAt; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Tells the control of a leave or an entry it missed while it could not hear of the pointer.
    void rereadPointer();
    // Draws at the scale of the screen the widget is now on.
    void followScreen();

    std::unique_ptr<QtSite> m_site;
    std::unique_ptr<ShownProgressFace> m_progress;
    std::unique_ptr<ShownButtonFace> m_button;
    bool m_painting = false;
    bool m_enterDown = false; // Enter went down on this button: its release presses it
    std::optional<QPoint> m_pointerSeenAt;
};

} // namespace plainquill::host
