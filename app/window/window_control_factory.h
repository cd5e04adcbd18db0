#pragma once
// The drawn controls of the program's window: the program's own control classes, hosted.
#include "app/window/hosted_control_factory.h"

namespace plainquill {

class WindowControlFactory final : public DrawnControlFactory {
public:
    // `resourceFolder`: where the controls find their sounds; empty for the program's folder.
    explicit WindowControlFactory(const QString& resourceFolder = {});

    DrawnControl create(const QString& className, const QVariantMap& properties, QWidget* parent) override;

private:
    HostedControlFactory m_hosted;
};

} // namespace plainquill
