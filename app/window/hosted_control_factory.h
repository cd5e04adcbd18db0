#pragma once
// The window's drawn controls made for real: each registered class is hosted in a HostWidget and
// loaded from its stored property stream. Keep the factory alive as long as the window: its
// graphics and theme serve every control it made.
#include "app/window/drawn_controls.h"
#include "controls/contracts/control_classes.h"
#include "platform/raster/qstyle_theme.h"
#include "platform/raster/raster_graphics.h"

namespace plainquill {

class HostedControlFactory final : public DrawnControlFactory {
public:
    // `resourceFolder`: where the controls' relative file names (their sounds) are taken from;
    // empty for the program's folder.
    explicit HostedControlFactory(contracts::ControlClasses classes, QString resourceFolder = {});

    DrawnControl create(const QString& className, const QVariantMap& properties, QWidget* parent) override;

private:
    contracts::ControlClasses m_classes;
    raster::RasterGraphics m_graphics;
    raster::QStyleTheme m_theme;
    QString m_resourceFolder;
};

} // namespace plainquill
