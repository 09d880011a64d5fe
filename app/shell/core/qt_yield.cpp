#include "app/shell/core/qt_yield.h"

#include "platform/services.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace trelvane {

void installQtYieldHook() {
    using vsq::platform::YieldMode;
    vsq::platform::setYieldHook([](YieldMode mode) {
        if (vsq::platform::quitRequested())
            return;
        QCoreApplication::processEvents(mode == YieldMode::NoUserInput
                                            ? QEventLoop::ExcludeUserInputEvents
                                            : QEventLoop::AllEvents);
    });
}

} // namespace trelvane
