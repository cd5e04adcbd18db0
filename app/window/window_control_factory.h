#pragma once
// The drawn controls of the program's window: every class that has its own code is hosted for
// real; the buttons still without theirs are stand-ins with the same face.
#include "app/window/hosted_control_factory.h"

namespace plainquill {

class WindowControlFactory final : public DrawnControlFactory {
public:
    // `resourceFolder`: where the controls find their sounds; empty for the program's folder.
    explicit WindowControlFactory(const QString& resourceFolder = {});

    DrawnControl create(const QString& className, const QVariantMap& properties, QWidget* parent) override;

private:
    StandInControlFactory m_standIns;
    HostedControlFactory m_hosted;
};

} // namespace plainquill
