// The main of test programs that need a Qt application (fonts, palettes,
// widgets): the application lives for the whole run and ends before the
// program's static objects do. Tests run headless, also when the build lists
// them.

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
