#pragma once
// One QApplication for a whole test program, made on first use; widgets need it.
#include <QApplication>
#include <QStringList>

#include <ostream>

namespace plainquill::testing {

inline QApplication& qtApp()
{
    // A test program whose main() made one (qt_test_main.cpp) uses that.
    if (auto* made = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *made;
    static int argc = 1;
    static char name[] = "plainquill-tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// Inherit from this first, so the application exists before any widget member is made.
struct WithQtApp {
    WithQtApp() { qtApp(); }
};

} // namespace plainquill::testing

// Readable failure messages for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *out << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
    *out << '}';
}
