#pragma once
// The descriptor of one supply-fault input: the addresses of its detector's five
// registers, and the four fields of its select register xxSEL, which it reads
// and writes as one byte:
//
//     bit 7 VBPolarity | bits 6-4 GlitchFilter | bits 3-2 DetectionRange | bits 1-0 FaultType

#include <cstdint>

namespace trelvane {

class PFI {
public:
    // Any value above 1 is stored as 1.
    std::uint8_t VBPolarity() const { return vbPolarity_; }
    void setVBPolarity(std::uint8_t polarity) { vbPolarity_ = polarity > 1 ? 1 : polarity; }

    // Setting the xxSEL address also tells the input's range and kind.
    std::uint8_t AddrGlitchRangeFault() const { return addrGlitchRangeFault_; }
    void setAddrGlitchRangeFault(std::uint8_t address);
    std::uint8_t AddrDigitalHysteresisOnUVT() const { return addrDigitalHysteresisOnUVT_; }
    void setAddrDigitalHysteresisOnUVT(std::uint8_t address) {
        addrDigitalHysteresisOnUVT_ = address;
    }
    std::uint8_t AddrUnderVoltThreshold() const { return addrUnderVoltThreshold_; }
    void setAddrUnderVoltThreshold(std::uint8_t address) { addrUnderVoltThreshold_ = address; }
    std::uint8_t AddrDigitalHysteresisOnOVT() const { return addrDigitalHysteresisOnOVT_; }
    void setAddrDigitalHysteresisOnOVT(std::uint8_t address) {
        addrDigitalHysteresisOnOVT_ = address;
    }
    // 0xB0 also marks the high-voltage input.
    std::uint8_t AddrOverVoltThreshold() const { return addrOverVoltThreshold_; }
    void setAddrOverVoltThreshold(std::uint8_t address) { addrOverVoltThreshold_ = address; }

    // Reads xxSEL once into the four fields. When the transfer failed the
    // fields keep their values: they never take a byte that was not read.
    void ReadRangeFaultAndGlitchFilter();
    // Writes the four fields to xxSEL as one byte, without reading it first.
    // A field wider than its bits raises Overflow and nothing is written.
    void WriteRangeFaultAndGlitchFilter();

    // The fields are stored as given; only the write above checks them.
    std::uint8_t FaultType() const { return faultType_; }
    void setFaultType(std::uint8_t code) { faultType_ = code; }
    std::uint8_t GlitchFilter() const { return glitchFilter_; }
    void setGlitchFilter(std::uint8_t code) { glitchFilter_ = code; }

    // Volts. The set writes the code for `volts` to xxUVHYST as a whole byte;
    // the get reads xxUVHYST's bits 4-0 and answers their volts.
    float UnderVoltHysteresis();
    void setUnderVoltHysteresis(float volts);
    // Volts. The set writes the code for `volts` to xxUVTH; the get reads
    // xxUVTH and answers its volts. For both sets, a code outside 0-255 raises
    // Overflow and nothing is written.
    float UnderVoltThreshold();
    void setUnderVoltThreshold(float volts);
    // Volts. The get reads xxOVHYST's bits 4-0; the set stores only.
    float OverVoltHysteresis();
    void setOverVoltHysteresis(float volts) { overVoltHysteresis_ = volts; }
    // Volts, stored only.
    float OverVoltThreshold() const { return overVoltThreshold_; }
    void setOverVoltThreshold(float volts) { overVoltThreshold_ = volts; }

    std::uint8_t DetectionRange() const { return detectionRange_; }
    void setDetectionRange(std::uint8_t code) { detectionRange_ = code; }

private:
    struct Scale {
        float offset; // volts at code 0
        float volts;  // volts per code
    };
    Scale thresholdScale() const;
    float hysteresisStep() const;

    std::uint8_t addrOverVoltThreshold_ = 0;
    std::uint8_t addrDigitalHysteresisOnOVT_ = 0;
    std::uint8_t addrUnderVoltThreshold_ = 0;
    std::uint8_t addrDigitalHysteresisOnUVT_ = 0;
    std::uint8_t addrGlitchRangeFault_ = 0;
    std::uint8_t vbPolarity_ = 0;
    std::uint8_t glitchFilter_ = 0;
    std::uint8_t detectionRange_ = 0;
    std::uint8_t faultType_ = 0;
    bool highRange_ = false;
    bool bipolar_ = false;
    float overVoltThreshold_ = 0.0f;
    float overVoltHysteresis_ = 0.0f;
};

} // namespace trelvane
