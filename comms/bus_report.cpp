#include "comms/bus_report.h"

#include "comms/com_error.h"
#include "comms/port_access.h"

namespace brisendal {

std::string ArbitrationErrorText(std::int16_t attempts) {
    return "Arbitration Error, another device is using the SMBus. " + std::string(" ") +
           std::to_string(attempts) + " communication attempts were interrupted";
}

void ReportGiveUp(const ErrorSink& raise) {
    auto& s = busState();
    raise(kArbitrationErrorNumber, ArbitrationErrorText(s.AttemptCount));
    FrameScope frame;
    if (frame.entered())
        PortOutput(s.PortAddress, s.DriveA | s.BitsToStayHigh);
    s.BusError = false;
    s.AttemptCount = 0;
}

void ReportRefused(const ErrorSink& raise) {
    raise(kArbitrationErrorNumber, ArbitrationErrorText(0));
}

void RequireFrame(const FrameScope& frame) {
    if (!frame.entered())
        throw ComError(kArbitrationErrorNumber, ArbitrationErrorText(0));
}

} // namespace brisendal
