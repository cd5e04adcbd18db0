// Plainquill: converts word-processor documents to plain text in batches.
#include "app/adapters/libreoffice/libreoffice_launcher.h"
#include "app/adapters/shell.h"
#include "app/startup/single_instance.h"
#include "app/startup/termination_signals.h"
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    plainquill::QtShell shell;
    plainquill::SingleInstance instance;
    if (!instance.claim(shell))
        return 1;

    plainquill::WindowControlFactory controls;
    const QString helpPage = QCoreApplication::applicationDirPath() + QStringLiteral("/help/index.html");
    plainquill::adapters::LibreOfficeLauncher libreOffice;
    const auto window = plainquill::openForm1({shell, controls, libreOffice, helpPage, {}});
    if (!window)
        return 1;
    plainquill::TerminationSignals terminationSignals;
    plainquill::closeOnTermination(terminationSignals, *window);
    window->show();
    return application.exec();
}
