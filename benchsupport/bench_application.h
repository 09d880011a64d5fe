#pragma once
// The one QApplication of a benchmark program, made at the first call:
// headless (offscreen) unless QT_QPA_PLATFORM chooses a platform.

#include <QApplication>
#include <QInputDevice>

namespace vsq::bench {

inline QApplication& benchApplication() {
    static int argc = 1;
    static char name[] = "vsq-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's list of input devices is made first, so it outlives the
    // application at exit: the pointer device made later for the first mouse
    // event or shown window is a child of the application, and leaves the
    // list when the application deletes it.
    static const auto devices = QInputDevice::devices();
    static QApplication app(argc, argv);
    return app;
}

} // namespace vsq::bench
