#pragma once
// One Qt application for the tests of a process that need fonts, palettes or
// widgets (the offscreen platform is set for every test).

#include <QApplication>

namespace vsq::controls {

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "controls-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace vsq::controls
