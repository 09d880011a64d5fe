#include "comms/bus_timing.h"

#include "comms/bus_state.h"
#include "platform/services.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace brisendal {
namespace {

using vsq::platform::quitRequested;
using vsq::platform::secondsNow;
using vsq::platform::YieldMode;
using vsq::platform::yieldOnce;

void yieldInFrame() {
    yieldOnce(YieldMode::NoUserInput);
}

// Relative mode counts yields in a 64-bit counter: ceil(amount) of them.
void yieldCount(float amount) {
    if (!(amount > 0.0f))
        return;
    constexpr double most = static_cast<double>(std::numeric_limits<std::uint64_t>::max());
    const double wanted = std::ceil(static_cast<double>(amount));
    const std::uint64_t target = wanted >= most ? std::numeric_limits<std::uint64_t>::max()
                                                : static_cast<std::uint64_t>(wanted);
    for (std::uint64_t done = 0; done < target && !quitRequested(); ++done)
        yieldInFrame();
}

} // namespace

void Pause(float amount) {
    if (busState().RelativeDelayOn)
        yieldCount(amount);
    else if (amount != 0.0f)
        WaitUntil(secondsNow(), amount); // a negative amount ends at the first comparison
}

void WaitUntil(double start, double seconds) {
    vsq::platform::waitUntil(start + seconds, YieldMode::NoUserInput);
}

void WaitFrameDelay() {
    Pause(busState().FrameDelay);
}

} // namespace brisendal
