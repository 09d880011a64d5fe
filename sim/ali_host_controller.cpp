#include "sim/ali_host_controller.h"

namespace vsq::sim {

AliHostController::AliHostController(ChipsetSmbus& bus, int busyReads)
    : HostController(bus, busyReads,
                     Layout{.busy = 0,
                            .idle = kIdle,
                            .clearable = 0xF0,
                            .clearedByStart = 0xFF, // the whole byte reads 0 while busy
                            .done = kDone,
                            .deviceError = kDeviceError,
                            .busError = kCollision,
                            .failed = kFailed,
                            .unsupported = kFailed,
                            .protocolMask = 0x70,
                            .byteDataProtocol = kByteDataProtocol}) {}

std::uint8_t AliHostController::read(int offset) {
    switch (offset) {
    case kStatus:
        return readStatus();
    case kControl:
        return control_;
    case kAddress:
        return address_;
    case kData:
        return data_;
    case kCommand:
        return command_;
    default:
        return 0;
    }
}

void AliHostController::write(int offset, std::uint8_t value) {
    switch (offset) {
    case kStatus:
        clearStatus(value);
        break;
    case kControl:
        control_ = value;
        break;
    case kStart:
        start();
        break;
    case kAddress:
        address_ = value;
        break;
    case kData:
        data_ = value;
        break;
    case kCommand:
        command_ = value;
        break;
    default:
        break;
    }
}

} // namespace vsq::sim
