#include "sim/intel_host_controller.h"

namespace vsq::sim {
namespace {

constexpr std::uint8_t kStart = 0x40;

} // namespace

IntelHostController::IntelHostController(ChipsetSmbus& bus, int busyReads)
    : HostController(bus, busyReads,
                     Layout{.busy = kBusy,
                            .idle = 0,
                            .clearable = 0x1E,
                            .clearedByStart = 0,
                            .done = kInterrupt,
                            .deviceError = kDeviceError,
                            .busError = kBusError,
                            .failed = kFailed,
                            .unsupported = kDeviceError,
                            .protocolMask = 0x1C,
                            .byteDataProtocol = 0x08}) {}

std::uint8_t IntelHostController::read(int offset) {
    switch (offset) {
    case 0:
        return readStatus();
    case 2:
        return static_cast<std::uint8_t>(control_ & ~kStart);
    case 3:
        return command_;
    case 4:
        return address_;
    case 5:
        return data_;
    case 6:
        return data1_;
    default:
        return 0;
    }
}

void IntelHostController::write(int offset, std::uint8_t value) {
    switch (offset) {
    case 0:
        clearStatus(value);
        break;
    case 2:
        control_ = value;
        if (value & kStart)
            start();
        break;
    case 3:
        command_ = value;
        break;
    case 4:
        address_ = value;
        break;
    case 5:
        data_ = value;
        break;
    case 6:
        data1_ = value;
        break;
    default:
        break;
    }
}

} // namespace vsq::sim
