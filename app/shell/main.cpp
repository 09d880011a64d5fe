// Trelvane, the VSQ5540 evaluation program.

#include "app/core/app_info.h"
#include "app/core/program_end.h"
#include "app/core/window_registry.h"
#include "app/shell/chip_picture.h"
#include "app/shell/startup.h"
#include "controls/common/qt_yield.h"
#include "platform/services.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[]) {
    // A file-size limit (ulimit -f) smaller than a file the program writes
    // makes that write fail with "File too large", which every write checks
    // and reports, instead of ending the program in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Trelvane");
    QApplication::setWindowIcon(trelvane::programIcon());
    // The program ends when its main window closes or the wizard is cancelled,
    // never because no window happens to be visible.
    QApplication::setQuitOnLastWindowClosed(false);

    int exitCode = 0;
    {
        trelvane::WindowRegistry windows;
        vsq::controls::installQtYieldHook();
        trelvane::runOrStop(trelvane::Main);
        if (!vsq::platform::quitRequested())
            exitCode = QApplication::exec();
        else
            exitCode = 1;
        vsq::platform::setYieldHook({});
    }
    return exitCode;
}
