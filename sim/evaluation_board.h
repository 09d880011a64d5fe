#pragma once
// One evaluation board: the VSQ5540 and the board's own chips, plus the block-transfer
// test device, at their bus addresses.
//   VSQ5540 0xA8 (configurable), QD8841 DACs U5 0x18 and U6 0x1A, QA2296 ADCs U12 0x50,
//   U13 0x52, U14 0x54, QG3357WQP switch U2 0x90, QR1174 potentiometer U21 0x58,
//   block test device 0x6A.
// Board chips power up in the default set-up (DAC words, switch 0x41, wiper 0x80).

#include "sim/block_test_device.h"
#include "sim/qa2296_adc.h"
#include "sim/qd8841_dac.h"
#include "sim/qg3357wqp_switch.h"
#include "sim/qr1174_pot.h"
#include "sim/vsq5540.h"

#include <cstdint>
#include <vector>

namespace vsq::sim {

class EvaluationBoard {
public:
    explicit EvaluationBoard(std::uint8_t chipAddress = Vsq5540::kDefaultAddress);
    EvaluationBoard(const EvaluationBoard&) = delete;
    EvaluationBoard& operator=(const EvaluationBoard&) = delete;

    void powerUp();

    Vsq5540& chip() { return chip_; }
    Qd8841Dac& dacU5() { return dacU5_; }
    Qd8841Dac& dacU6() { return dacU6_; }
    Qa2296Adc& adcU12() { return adcU12_; }
    Qa2296Adc& adcU13() { return adcU13_; }
    Qa2296Adc& adcU14() { return adcU14_; }
    Qg3357wqpSwitch& analogSwitch() { return switch_; }
    Qr1174Pot& potentiometer() { return pot_; }
    BlockTestDevice& blockDevice() { return block_; }
    // The ADC at 0x50, 0x52 or 0x54, or nullptr.
    Qa2296Adc* adcAt(std::uint8_t address);

    // The present device answering an 8-bit address (bit 0 ignored), or nullptr.
    SmbusDevice* deviceAt(std::uint8_t address) const;
    // Any device at that address, present or not.
    SmbusDevice* anyDeviceAt(std::uint8_t address) const;
    const std::vector<SmbusDevice*>& devices() const { return devices_; }

private:
    Vsq5540 chip_;
    Qd8841Dac dacU5_{0x18};
    Qd8841Dac dacU6_{0x1A};
    Qa2296Adc adcU12_{0x50};
    Qa2296Adc adcU13_{0x52};
    Qa2296Adc adcU14_{0x54};
    Qg3357wqpSwitch switch_;
    Qr1174Pot pot_;
    BlockTestDevice block_;
    std::vector<SmbusDevice*> devices_;
};

} // namespace vsq::sim
