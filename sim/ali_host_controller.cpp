#include "sim/ali_host_controller.h"

namespace vsq::sim {
namespace {

constexpr std::uint8_t kClearable = 0xF0;
constexpr std::uint8_t kProtocolMask = 0x70;

} // namespace

std::uint8_t AliHostController::read(int offset) {
    switch (offset) {
    case kStatus:
        if (!busy())
            return status_;
        countBusyRead();
        return 0x00;
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
        status_ = static_cast<std::uint8_t>(status_ & ~(value & kClearable));
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

void AliHostController::start() {
    if (busy())
        return;
    std::uint8_t data = data_;
    std::uint8_t outcome = kFailed; // a protocol it does not run
    if ((control_ & kProtocolMask) == kByteDataProtocol)
        outcome = runByteData(address_, command_, data, {kDone, kDeviceError, kCollision});
    status_ = 0x00; // a start clears the event bits and idle while it runs
    holdResult(static_cast<std::uint8_t>(kIdle | outcome), (address_ & 1) ? data : data_);
}

} // namespace vsq::sim
