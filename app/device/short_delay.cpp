#include "app/device/short_delay.h"

#include "platform/services.h"

namespace trelvane {

void ShortDelay() {
    using namespace vsq::platform;
    waitUntil(secondsNow() + 0.03);
}

} // namespace trelvane
