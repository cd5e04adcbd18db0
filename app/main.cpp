// Plainquill: converts word-processor documents to plain text in batches.
#include "app/adapters/libreoffice/libreoffice_launcher.h"
#include "app/adapters/shell.h"
#include "app/startup/single_instance.h"
#include "app/startup/termination_signals.h"
#include "app/window/drawn_controls.h"
#include "app/window/form1.h"
#include "app/window/hosted_control_factory.h"
#include "controls/registry/standard_controls.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    plainquill::QtShell shell;
    plainquill::SingleInstance instance;
    if (!instance.claim(shell))
        return 1;

    // The drawn controls that exist are hosted for real; the rest are stand-ins with their faces.
    plainquill::StandInControlFactory standIns;
    plainquill::HostedControlFactory controls(plainquill::controls::standardControlClasses(), standIns);
    const QString helpPage = QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html");
    plainquill::adapters::LibreOfficeLauncher libreOffice;
    plainquill::Form1 window({shell, controls, libreOffice, helpPage, {}});
    plainquill::TerminationSignals terminationSignals;
    plainquill::closeOnTermination(terminationSignals, window);
    window.show();
    return application.exec();
}
