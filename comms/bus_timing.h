#pragma once
// The waits of the bus code. Every wait yields to the message loop without
// user input (they all run inside bus frames), reads the monotonic clock, and
// ends at once when the program is quitting.

#include "comms/bus_state.h"

namespace brisendal {

void Pause(float amount);

// The pause before each bus edge: Delay seconds, or ceil(Delay) yields when
// RelativeDelayOn. No pause for 0 (the common case, kept inline).
inline void BitDelay() {
    if (const float delay = busState().Delay; delay != 0.0f)
        Pause(delay);
}
// The pause after a transaction that ended normally: the same with FrameDelay.
void WaitFrameDelay();

// Yields until `seconds` have passed since `start` on the monotonic clock.
void WaitUntil(double start, double seconds);

} // namespace brisendal
