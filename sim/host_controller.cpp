#include "sim/host_controller.h"

namespace vsq::sim {

std::uint8_t HostController::readStatus() {
    if (!busy())
        return status_;
    const auto shown = static_cast<std::uint8_t>(status_ | layout_.busy);
    if (--busyLeft_ == 0) {
        status_ = heldStatus_;
        data_ = heldData_;
    }
    return shown;
}

void HostController::clearStatus(std::uint8_t value) {
    status_ = static_cast<std::uint8_t>(status_ & ~(value & layout_.clearable));
}

void HostController::start() {
    if (busy())
        return;
    std::uint8_t data = data_;
    std::uint8_t outcome = layout_.unsupported;
    if ((control_ & layout_.protocolMask) == layout_.byteDataProtocol)
        outcome = runByteData(data);
    status_ = static_cast<std::uint8_t>(status_ & ~layout_.clearedByStart);
    holdResult(static_cast<std::uint8_t>(status_ | layout_.idle | outcome),
               (address_ & 1) ? data : data_);
}

std::uint8_t HostController::runByteData(std::uint8_t& data) {
    switch (bus_.byteData(address_, command_, data)) {
    case ChipsetSmbus::Outcome::Done:
        return layout_.done;
    case ChipsetSmbus::Outcome::DeviceError:
        return layout_.deviceError;
    case ChipsetSmbus::Outcome::BusError:
        return layout_.busError;
    case ChipsetSmbus::Outcome::Failed:
        break;
    }
    return layout_.failed;
}

void HostController::holdResult(std::uint8_t status, std::uint8_t data) {
    if (busyReads_ <= 0) {
        status_ = status;
        data_ = data;
        return;
    }
    heldStatus_ = status;
    heldData_ = data;
    busyLeft_ = busyReads_;
}

} // namespace vsq::sim
