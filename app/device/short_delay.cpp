#include "app/device/short_delay.h"

#include "platform/services.h"

namespace trelvane {

void ShortDelay() {
    using namespace vsq::platform;
    const double deadline = secondsNow() + 0.03;
    while (secondsNow() < deadline && !quitRequested()) {
        yieldOnce();
    }
}

} // namespace trelvane
