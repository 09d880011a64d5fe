#include "sim/intel_host_controller.h"

namespace vsq::sim {
namespace {

constexpr std::uint8_t kStart = 0x40;
constexpr std::uint8_t kProtocolMask = 0x1C;
constexpr std::uint8_t kByteDataProtocol = 0x08;
constexpr std::uint8_t kClearable = 0x1E;

} // namespace

std::uint8_t IntelHostController::read(int offset) {
    switch (offset) {
    case 0: {
        if (busyLeft_ == 0)
            return status_;
        const std::uint8_t shown = status_;
        if (--busyLeft_ == 0) {
            status_ = pendingStatus_;
            data0_ = pendingData_;
        }
        return shown;
    }
    case 2:
        return static_cast<std::uint8_t>(control_ & ~kStart);
    case 3:
        return command_;
    case 4:
        return address_;
    case 5:
        return data0_;
    case 6:
        return data1_;
    default:
        return 0;
    }
}

void IntelHostController::write(int offset, std::uint8_t value) {
    switch (offset) {
    case 0:
        status_ = static_cast<std::uint8_t>(status_ & ~(value & kClearable));
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
        data0_ = value;
        break;
    case 6:
        data1_ = value;
        break;
    default:
        break;
    }
}

void IntelHostController::start() {
    if (busyLeft_ > 0)
        return;
    pendingData_ = data0_;
    if ((control_ & kProtocolMask) != kByteDataProtocol) {
        pendingStatus_ = static_cast<std::uint8_t>(status_ | kDeviceError);
    } else {
        std::uint8_t data = data0_;
        switch (bus_.byteData(address_, command_, data)) {
        case ChipsetSmbus::Outcome::Done:
            pendingStatus_ = static_cast<std::uint8_t>(status_ | kInterrupt);
            if (address_ & 1)
                pendingData_ = data;
            break;
        case ChipsetSmbus::Outcome::DeviceError:
            pendingStatus_ = static_cast<std::uint8_t>(status_ | kDeviceError);
            break;
        case ChipsetSmbus::Outcome::BusError:
            pendingStatus_ = static_cast<std::uint8_t>(status_ | kBusError);
            break;
        }
    }
    if (busyReads_ <= 0) {
        status_ = pendingStatus_;
        data0_ = pendingData_;
        return;
    }
    busyLeft_ = busyReads_;
    status_ = static_cast<std::uint8_t>(status_ | kBusy);
    pendingStatus_ = static_cast<std::uint8_t>(pendingStatus_ & ~kBusy);
}

} // namespace vsq::sim
