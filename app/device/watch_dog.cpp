#include "app/device/watch_dog.h"

#include "app/device/chip_registers.h"
#include "app/device/communications.h"
#include "app/device/transfer_status.h"

#include <algorithm>
#include <array>

namespace trelvane {
namespace {

// The record keeps its edge polarity in PDEN bit 0, the bit the table names
// PDENGPI1, and its time-out code in UPDCFG bits 7-4, the bits the table
// leaves reserved.
constexpr reg::field::Field kEdgePolarity = reg::field::PDEN::PDENGPI1;
constexpr reg::field::Field kTimeoutCode = reg::field::UPDCFG::Reserved;

// Time-out in milliseconds, indexed by the time-out code.
constexpr std::array<std::int16_t, 16> kTimeouts{
    0, 200, 400, 800, 1600, 3200, 4000, 5000, 6000, 7000, 8000, 10000, 12000, 14000, 16000, 18000};

} // namespace

void WatchDog::setEdgePolarity(std::uint8_t polarity) {
    if (polarity > 1) {
        polarity = 0;
    }
    const std::uint8_t value = ReadRegister(reg::PDEN);
    if (lastTransferFailed()) {
        return;
    }
    WriteRegister(reg::PDEN, static_cast<std::uint8_t>((value & ~kEdgePolarity.mask) | polarity));
}

std::uint8_t WatchDog::EdgePolarity() {
    return static_cast<std::uint8_t>(kEdgePolarity.get(ReadRegister(reg::PDEN)));
}

void WatchDog::setTimeout(std::int16_t milliseconds) {
    const auto match = std::find(kTimeouts.begin(), kTimeouts.end(), milliseconds);
    const auto code = match == kTimeouts.end() ? 0 : match - kTimeouts.begin();
    const std::uint8_t value = ReadRegister(reg::UPDCFG);
    if (lastTransferFailed()) {
        return;
    }
    WriteRegister(reg::UPDCFG, static_cast<std::uint8_t>((value & ~kTimeoutCode.mask) |
                                                         kTimeoutCode.put(static_cast<int>(code))));
}

std::int16_t WatchDog::Timeout() {
    return kTimeouts[kTimeoutCode.get(ReadRegister(reg::UPDCFG))];
}

} // namespace trelvane
