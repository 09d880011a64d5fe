#include "sim/host_controller.h"

namespace vsq::sim {

std::uint8_t HostController::runByteData(std::uint8_t address, std::uint8_t command,
                                         std::uint8_t& data, const OutcomeBits& bits) {
    switch (bus_.byteData(address, command, data)) {
    case ChipsetSmbus::Outcome::Done:
        return bits.done;
    case ChipsetSmbus::Outcome::DeviceError:
        return bits.deviceError;
    case ChipsetSmbus::Outcome::BusError:
        break;
    }
    return bits.busError;
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

void HostController::countBusyRead() {
    if (busyLeft_ > 0 && --busyLeft_ == 0) {
        status_ = heldStatus_;
        data_ = heldData_;
    }
}

} // namespace vsq::sim
