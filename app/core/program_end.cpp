#include "app/core/program_end.h"

#include "app/core/app_info.h"
#include "app/core/dialogs.h"
#include "platform/services.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <exception>

namespace trelvane {

void endProgram(int exitCode) {
    vsq::platform::requestQuit();
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(exitCode);
}

void runOrStop(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& failure) {
        // Said on standard error too, where a headless run can see it.
        std::fprintf(stderr, "%s: %s\n", kAppTitle, failure.what());
        std::fflush(stderr);
        messageBox(QString::fromUtf8(failure.what()), QString::fromUtf8(kAppTitle),
                   MessageButtons::Ok, MessageIcon::Critical);
        endProgram(1);
    }
}

} // namespace trelvane
