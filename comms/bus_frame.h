#pragma once
// The retry frame every bus transaction runs in, and the step helpers the
// transactions are written with. Library-internal.

#include "comms/bus_state.h"
#include "comms/bus_timing.h"
#include "comms/line_engine.h"
#include "comms/port_access.h"

#include <cstdint>

namespace brisendal {

// Runs the steps in order and stops at the first that leaves BusError set;
// true when every step passed.
template <typename... Steps> bool runSteps(Steps&&... steps) {
    return ((steps(), !busState().BusError) && ...);
}

inline auto writeByte(std::uint8_t value) {
    return [value] { WriteDataByte(value); };
}

struct FrameRules {
    // The first attempt opens the port even when it is locked (a re-claim that
    // drops the lock where ports are claimed).
    bool openWhenLocked;
    // Between attempts: a bus recovery and a reopened port, or a back-off only.
    bool recoverBetweenAttempts;
    // A read waits the frame delay before it closes the port.
    bool waitThenClose;
};

inline constexpr FrameRules kByteTransferFrame{false, true, false};
inline constexpr FrameRules kByteReadFrame{false, true, true};
inline constexpr FrameRules kBlockFrame{true, false, false};
inline constexpr FrameRules kEepromFrame{true, false, true};

// One transaction: opens the port, runs `attempt` (true when all its steps
// passed) until it passes or MaxArbitrationDenials back-offs were made, closes
// the port unless locked and waits the frame delay after success. Starts with
// BusError and AttemptCount cleared; a give-up leaves them set for the report.
// No port (or a refused claim): nothing sent, both cleared.
template <typename Attempt> void RunFrame(Attempt&& attempt, FrameRules rules) {
    auto& s = busState();
    s.BusError = false;
    s.AttemptCount = 0;
    for (bool open = rules.openWhenLocked || !s.LockPortOpen;;
         open = rules.recoverBetweenAttempts) {
        if (open && !OpenPort()) {
            s.BusError = false;
            s.AttemptCount = 0;
            return;
        }
        if (attempt()) {
            if (rules.waitThenClose)
                WaitFrameDelay();
            if (!s.LockPortOpen)
                ClosePort();
            if (!rules.waitThenClose)
                WaitFrameDelay();
            s.BusError = false;
            s.AttemptCount = 0;
            return;
        }
        if (s.AttemptCount >= s.MaxArbitrationDenials) {
            if (!s.LockPortOpen)
                ClosePort();
            return;
        }
        if (rules.recoverBetweenAttempts) {
            RecoverBus();
        } else {
            ArbitrationBackOff();
            s.BusError = false;
        }
    }
}

} // namespace brisendal
