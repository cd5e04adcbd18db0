// Text needs fonts, and fonts need a QGuiApplication. A plain QGuiApplication (not a
// QApplication) also means there is no QStyle, which the raster tests' "no theme" case relies on.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs this binary outside CTest's environment: stay headless there too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
