#include "sim/ali_host_controller.h"

namespace vsq::sim {
namespace {

constexpr std::uint8_t kClearable = 0xF0;
constexpr std::uint8_t kProtocolMask = 0x70;

} // namespace

std::uint8_t AliHostController::read(int offset) {
    switch (offset) {
    case kStatus: {
        if (busyLeft_ == 0)
            return status_;
        if (--busyLeft_ == 0) {
            status_ = pendingStatus_;
            data_ = pendingData_;
        }
        return 0x00;
    }
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
    if (busyLeft_ > 0)
        return;
    pendingData_ = data_;
    if ((control_ & kProtocolMask) != kByteDataProtocol) {
        pendingStatus_ = kIdle | kFailed;
    } else {
        std::uint8_t data = data_;
        switch (bus_.byteData(address_, command_, data)) {
        case ChipsetSmbus::Outcome::Done:
            pendingStatus_ = kIdle | kDone;
            if (address_ & 1)
                pendingData_ = data;
            break;
        case ChipsetSmbus::Outcome::DeviceError:
            pendingStatus_ = kIdle | kDeviceError;
            break;
        case ChipsetSmbus::Outcome::BusError:
            pendingStatus_ = kIdle | kCollision;
            break;
        }
    }
    if (busyReads_ <= 0) {
        status_ = pendingStatus_;
        data_ = pendingData_;
        return;
    }
    busyLeft_ = busyReads_;
    status_ = 0x00;
}

} // namespace vsq::sim
