#include "app/window/hosted_control_factory.h"

#include "platform/host/host_widget.h"
#include "platform/host/property_stream.h"
#include "platform/raster/xp_system_colours.h"

#include <stdexcept>

namespace plainquill {

HostedControlFactory::HostedControlFactory(contracts::ControlClasses classes, QString resourceFolder)
    : m_classes(std::move(classes)), m_graphics(raster::xpSystemColours()), m_resourceFolder(std::move(resourceFolder))
{
}

DrawnControl HostedControlFactory::create(const QString& className, const QVariantMap& properties, QWidget* parent)
{
    std::unique_ptr<contracts::Control> control = m_classes.make(className.toStdString());
    if (!control)
        throw std::invalid_argument("unknown control class: " + className.toStdString());
    // The stream is read first: a malformed one (contracts::PropertyTypeError) makes no widget.
    // The stored form names its pictures relative to its own folder among the program's resources.
    const contracts::PropertyBag bag = host::readPropertyStream(properties, QStringLiteral(":/forms"));
    host::SiteOptions options;
    options.resourceFolder = m_resourceFolder.toStdString();
    auto* widget = new host::HostWidget(std::move(control), m_graphics, m_theme, std::move(options), parent);
    widget->load(bag);
    return {widget, widget->buttonFace(), widget->progressFace()};
}

} // namespace plainquill
