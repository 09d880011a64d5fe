#include "app/device/pfi.h"

#include "app/device/chip_registers.h"
#include "app/device/communications.h"
#include "app/device/conversions.h"
#include "app/device/transfer_status.h"

#include <cmath>

namespace trelvane {
namespace {

constexpr int kFullScaleCode = 255;
namespace sel = reg::field::xxSEL;

// Volts to a code: rounded down. The small allowance keeps a value that is a
// whole number of steps from landing one code low through float error.
long long codeFor(double steps) {
    const double code = std::floor(steps + 1e-4);
    if (!(code >= 0.0 && code <= kFullScaleCode)) {
        throw Overflow();
    }
    return static_cast<long long>(code);
}

} // namespace

void PFI::setAddrGlitchRangeFault(std::uint8_t address) {
    addrGlitchRangeFault_ = address;
    switch (address) {
    case reg::BS1SEL:
    case reg::BS2SEL:
        highRange_ = true;
        bipolar_ = true;
        break;
    case reg::HSSEL:
        highRange_ = false;
        bipolar_ = false;
        break;
    case reg::PS1SEL:
    case reg::PS2SEL:
    case reg::PS3SEL:
    case reg::PS4SEL:
        highRange_ = true;
        bipolar_ = false;
        break;
    default:
        break;
    }
}

void PFI::ReadRangeFaultAndGlitchFilter() {
    const std::uint8_t select = ReadRegister(addrGlitchRangeFault_);
    if (lastTransferFailed()) {
        return;
    }
    vbPolarity_ = sel::VBPolarity.get(select);
    glitchFilter_ = sel::GlitchFilter.get(select);
    faultType_ = sel::FaultType.get(select);
    detectionRange_ = sel::DetectionRange.get(select);
}

void PFI::WriteRangeFaultAndGlitchFilter() {
    if (vbPolarity_ > sel::VBPolarity.largest() || glitchFilter_ > sel::GlitchFilter.largest() ||
        detectionRange_ > sel::DetectionRange.largest() || faultType_ > sel::FaultType.largest()) {
        throw Overflow();
    }
    WriteRegister(addrGlitchRangeFault_,
                  static_cast<std::uint8_t>(
                      sel::VBPolarity.put(vbPolarity_) | sel::GlitchFilter.put(glitchFilter_) |
                      sel::FaultType.put(faultType_) | sel::DetectionRange.put(detectionRange_)));
}

PFI::Scale PFI::thresholdScale() const {
    if (addrOverVoltThreshold_ == reg::HSOVTH) {
        return {4.8f, 9.6f / kFullScaleCode};
    }
    if (highRange_) {
        const bool negativeSide = bipolar_ && vbPolarity_ == 1;
        return {negativeSide ? -6.0f : 6.0f, 4.0f / kFullScaleCode};
    }
    return {1.0f, 2.0f / kFullScaleCode};
}

float PFI::hysteresisStep() const {
    if (addrOverVoltThreshold_ == reg::HSOVTH) {
        return 0.0375f;
    }
    return highRange_ ? 0.0156f : 0.0078f;
}

float PFI::UnderVoltHysteresis() {
    const int code =
        reg::field::xxUVHYST::Hysteresis.get(ReadRegister(addrDigitalHysteresisOnUVT_));
    return static_cast<float>(code * hysteresisStep());
}

void PFI::setUnderVoltHysteresis(float volts) {
    WriteRegister(addrDigitalHysteresisOnUVT_,
                  toByte(codeFor(static_cast<double>(volts) / hysteresisStep())));
}

float PFI::UnderVoltThreshold() {
    const Scale scale = thresholdScale();
    return scale.offset + ReadRegister(addrUnderVoltThreshold_) * scale.volts;
}

void PFI::setUnderVoltThreshold(float volts) {
    const Scale scale = thresholdScale();
    WriteRegister(addrUnderVoltThreshold_,
                  toByte(codeFor((static_cast<double>(volts) - scale.offset) / scale.volts)));
}

float PFI::OverVoltHysteresis() {
    const int code =
        reg::field::xxOVHYST::Hysteresis.get(ReadRegister(addrDigitalHysteresisOnOVT_));
    overVoltHysteresis_ = static_cast<float>(code * hysteresisStep());
    return overVoltHysteresis_;
}

} // namespace trelvane
