#pragma once
// The one QApplication of a benchmark program, made at the first call:
// headless (offscreen) unless QT_QPA_PLATFORM chooses a platform.

#include <QApplication>

namespace vsq::bench {

inline QApplication& benchApplication() {
    static int argc = 1;
    static char name[] = "vsq-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

} // namespace vsq::bench
