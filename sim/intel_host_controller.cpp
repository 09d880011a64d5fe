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
        if (!busy())
            return status_;
        const auto shown = static_cast<std::uint8_t>(status_ | kBusy);
        countBusyRead();
        return shown;
    }
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
        data_ = value;
        break;
    case 6:
        data1_ = value;
        break;
    default:
        break;
    }
}

void IntelHostController::start() {
    if (busy())
        return;
    std::uint8_t data = data_;
    std::uint8_t outcome = kDeviceError; // a protocol it does not run
    if ((control_ & kProtocolMask) == kByteDataProtocol)
        outcome = runByteData(address_, command_, data, {kInterrupt, kDeviceError, kBusError});
    holdResult(static_cast<std::uint8_t>(status_ | outcome), (address_ & 1) ? data : data_);
}

} // namespace vsq::sim
