// The program as the shutdown tests see it from outside: the real window, run and signal handling
// with a real LibreOffice. Queues the documents, presses Start and prints "document N" as the title
// names each document in hand, closing its window at the given one (if above 0), or a moment into
// it (if below 0).
#include "app/startup/single_instance.h"
#include "app/startup/termination_signals.h"
#include "app/window/form1.h"
#include "app/window/window_control_factory.h"
#include "engine/libreoffice/interruptible_libreoffice.h"
#include "engine/standby_workers.h"
#include "tests/support/fake_shell.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    if (argc < 5)
        return 2;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    plainquill::testing::FakeShell shell;
    plainquill::SingleInstance instance(QString::fromLocal8Bit(argv[2]));
    if (!instance.claim(shell))
        return 1;

    plainquill::engine::LibreOfficeOptions options;
    options.scratchParent = argv[1];
    plainquill::WindowControlFactory controls;
    const int closeAt = std::stoi(argv[4]);
    int inHand = 0; // documents named in the title so far, each once
    QString title;
    plainquill::Form1* form = nullptr;
    // Two started ahead for a run of one: the one left waiting must end with the program too.
    plainquill::engine::StandbyWorkers standby(
        [options] { return std::make_unique<plainquill::engine::InterruptibleLibreOffice>(options); });
    plainquill::Form1 window({shell, controls, standby.launchers(), QString(), [&] {
                                  if (form->windowTitle() != title && form->windowTitle().startsWith("Converting ")) {
                                      title = form->windowTitle();
                                      std::printf("document %d\n", ++inHand);
                                      std::fflush(stdout);
                                      if (inHand == closeAt)
                                          form->close();
                                      // Below 0: closed a moment into that document.
                                      if (inHand == -closeAt)
                                          QTimer::singleShot(200, form, [&] { form->close(); });
                                  }
                                  QCoreApplication::processEvents();
                              },
                              {}, 1, [&standby] {
                                  std::printf("warm-up asked\n");
                                  std::fflush(stdout);
                                  standby.warmUp(2);
                              }});
    form = &window;
    plainquill::TerminationSignals terminationSignals;
    plainquill::closeOnTermination(terminationSignals, window);

    window.control<QLineEdit>("Text1")->setText(QString::fromLocal8Bit(argv[3]));
    QStringList documents;
    for (int i = 5; i < argc; ++i)
        documents.push_back(QString::fromLocal8Bit(argv[i]));
    window.adder().addDropped(documents);
    window.show();
    QTimer::singleShot(0, &window, [&] { window.Start_Click(); });
    return application.exec();
}
