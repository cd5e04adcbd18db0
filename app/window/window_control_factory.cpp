#include "app/window/window_control_factory.h"

#include "controls/registry/standard_controls.h"

namespace plainquill {

WindowControlFactory::WindowControlFactory(const QString& resourceFolder)
    : m_hosted(controls::standardControlClasses(), resourceFolder)
{
}

DrawnControl WindowControlFactory::create(const QString& className, const QVariantMap& properties, QWidget* parent)
{
    return m_hosted.create(className, properties, parent);
}

} // namespace plainquill
