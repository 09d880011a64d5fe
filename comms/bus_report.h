#pragma once
// How a transfer's failure reaches its client: the event text of a transfer
// that gave up (or was refused because another frame was in progress), and the
// clean-up after the report. Library-internal.

#include "comms/bus_state.h"

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

namespace brisendal {

inline constexpr std::int16_t kArbitrationErrorNumber = 2;

// "Arbitration Error, another device is using the SMBus. " then the attempt
// count with a blank in front, then " communication attempts were interrupted".
std::string ArbitrationErrorText(std::int16_t attempts);

using ErrorSink = std::function<void(std::int16_t, const std::string&)>;

// After a transfer gave up: raises number 2 with the attempt count, then
// releases both lines and clears BusError and AttemptCount.
void ReportGiveUp(const ErrorSink& raise);

// A transfer started while another frame is in progress: raises number 2 with
// no attempt made; the lines and the other frame's state are left alone.
void ReportRefused(const ErrorSink& raise);

// For members without an event: the failed status (ComError 2) of a call made
// while another frame is in progress.
void RequireFrame(const FrameScope& frame);

// Runs `transfer` in a frame of its own and reports its outcome through
// `raise`: refused while another frame is in progress (the result is then a
// value-initialised Result, or nothing for void), a give-up after the frame has ended.
template <typename Result, typename Transfer>
Result CarryOut(const ErrorSink& raise, Transfer&& transfer) {
    FrameScope frame;
    if (!frame.entered()) {
        ReportRefused(raise);
        return Result();
    }
    const auto reportGiveUp = [&] {
        frame.leave();
        if (busState().BusError)
            ReportGiveUp(raise);
    };
    if constexpr (std::is_void_v<Result>) {
        transfer();
        reportGiveUp();
    } else {
        Result result = transfer();
        reportGiveUp();
        return result;
    }
}

} // namespace brisendal
