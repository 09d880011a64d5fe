#include "controls/common/qt_yield.h"

#include "platform/services.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cmath>

namespace vsq::controls {
namespace {

using vsq::platform::YieldMode;

QEventLoop::ProcessEventsFlags flagsFor(YieldMode mode) {
    return mode == YieldMode::NoUserInput ? QEventLoop::ExcludeUserInputEvents
                                          : QEventLoop::AllEvents;
}

} // namespace

void installQtYieldHook() {
    vsq::platform::setYieldHook([](YieldMode mode) {
        if (vsq::platform::quitRequested())
            return;
        QCoreApplication::processEvents(flagsFor(mode));
    });
    // Sleeps until the next event; a timer at the bound wakes the loop when
    // nothing else does.
    vsq::platform::setWaitHook([](YieldMode mode, double seconds) {
        if (vsq::platform::quitRequested())
            return;
        QTimer bound;
        bound.setSingleShot(true);
        bound.setTimerType(Qt::PreciseTimer);
        bound.start(static_cast<int>(std::ceil(seconds * 1000.0)));
        QCoreApplication::processEvents(flagsFor(mode) | QEventLoop::WaitForMoreEvents);
    });
}

} // namespace vsq::controls
