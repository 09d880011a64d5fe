// The supply-fault input descriptor: its select register round trip on the
// simulated board, and the field checks that keep one field out of another.

#include "app/device/conversions.h"
#include "app/device/object_descriptors.h"
#include "app/device/pfi.h"
#include "simulated_board.h"

#include <array>

using namespace trelvane;
using namespace trelvane::testing;

namespace {

using ObjectDescriptors = FreshProgram;

// The fields of the select byte: polarity, glitch filter, detection range, fault type.
std::array<int, 4> fieldsOf(const PFI& input) {
    return {input.VBPolarity(), input.GlitchFilter(), input.DetectionRange(), input.FaultType()};
}

class PFISelect : public SimulatedBoard {
protected:
    void SetUp() override {
        SimulatedBoard::SetUp();
        CreateObjectDescriptors();
    }
};

} // namespace

// Read as one byte and written back as one, each bit of the select byte lands
// in its own field.
TEST_F(PFISelect, EachBitOfTheSelectByteLandsInItsOwnFieldAndWritesBack) {
    const struct {
        std::uint8_t select;
        std::array<int, 4> fields; // polarity, glitch filter, detection range, fault type
    } cases[] = {
        {0x01, {0, 0, 0, 1}}, {0x02, {0, 0, 0, 2}}, {0x04, {0, 0, 1, 0}}, {0x08, {0, 0, 2, 0}},
        {0x10, {0, 1, 0, 0}}, {0x20, {0, 2, 0, 0}}, {0x40, {0, 4, 0, 0}}, {0x80, {1, 0, 0, 0}},
        {0xFF, {1, 7, 3, 3}}, {0x7F, {0, 7, 3, 3}}, {0x00, {0, 0, 0, 0}}, {0xB9, {1, 3, 2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.select));
        chip().setRegisterValue(0xCC, c.select);
        journal().clear();
        gPFI3.ReadRangeFaultAndGlitchFilter();
        EXPECT_EQ(bytes(), (Bytes{0xA8, 0xCC, 0xA9, c.select}));
        EXPECT_EQ(fieldsOf(gPFI3), c.fields);
        chip().setRegisterValue(0xCC, static_cast<std::uint8_t>(~c.select));
        journal().clear();
        gPFI3.WriteRangeFaultAndGlitchFilter();
        EXPECT_EQ(bytes(), (Bytes{0xA8, 0xCC, c.select}));
        EXPECT_EQ(chip().registerValue(0xCC), c.select);
    }
}

TEST_F(PFISelect, WritesEvenAllZeroFieldsAndSettingAFieldSendsNothing) {
    chip().setRegisterValue(0xA4, 0xFF);
    gBPFI1.setFaultType(0);
    gBPFI1.setGlitchFilter(0);
    gBPFI1.setDetectionRange(0);
    gBPFI1.setVBPolarity(0);
    EXPECT_TRUE(journal().events().empty());
    gBPFI1.WriteRangeFaultAndGlitchFilter();
    EXPECT_EQ(traffic(), "S A8+ A4+ 00+ P");
}

TEST_F(PFISelect, AFieldWiderThanItsBitsRaisesOverflowAndWritesNothing) {
    struct Case {
        std::uint8_t faultType, glitchFilter, detectionRange;
    };
    for (const Case c : {Case{4, 0, 0}, Case{0, 8, 0}, Case{0, 16, 0}, Case{0, 0, 4}}) {
        gPFI1.setFaultType(c.faultType);
        gPFI1.setGlitchFilter(c.glitchFilter);
        gPFI1.setDetectionRange(c.detectionRange);
        EXPECT_THROW(gPFI1.WriteRangeFaultAndGlitchFilter(), Overflow);
        EXPECT_EQ(gPFI1.FaultType(), c.faultType);
        EXPECT_EQ(gPFI1.GlitchFilter(), c.glitchFilter);
    }
    EXPECT_TRUE(journal().events().empty());
}

TEST_F(PFISelect, AFailedReadLeavesTheFieldsAsTheyWere) {
    chip().setRegisterValue(0xBC, 0xB9);
    gPFI1.ReadRangeFaultAndGlitchFilter();
    failNextTransfer();
    chip().setRegisterValue(0xBC, 0x00);
    gPFI1.ReadRangeFaultAndGlitchFilter();
    EXPECT_EQ(fieldsOf(gPFI1), (std::array{1, 3, 2, 1}));
}

TEST(PFI, PolarityAboveOneIsStoredAsOne) {
    PFI input;
    for (const auto& [given, stored] : {std::pair{0, 0}, {1, 1}, {2, 1}, {255, 1}}) {
        input.setVBPolarity(static_cast<std::uint8_t>(given));
        EXPECT_EQ(input.VBPolarity(), stored);
    }
}

// Volts go back to the nearest code below, on the input's scale; beyond the
// range nothing is written.
TEST_F(PFISelect, AThresholdIsWrittenAsItsCodeOrRaisesOverflowOutsideTheRange) {
    gPFI1.setUnderVoltThreshold(8.0f); // (8 - 6) / 4 * 255 = 127.5, rounded down
    EXPECT_EQ(traffic(), "S A8+ BA+ 7F+ P");
    journal().clear();
    EXPECT_THROW(gPFI1.setUnderVoltThreshold(11.0f), Overflow);
    EXPECT_THROW(gPFI1.setUnderVoltThreshold(5.0f), Overflow);
    EXPECT_TRUE(journal().events().empty());
}

// The under-voltage hysteresis takes any code of 0-255, as a whole byte; only
// a code outside that range raises Overflow, and then nothing is written.
TEST_F(PFISelect, UnderVoltHysteresisCodesOutsideAByteOnlyOverflow) {
    const struct {
        float steps;
        const char* traffic; // nullptr: Overflow, no traffic
    } cases[] = {
        {0, "S A8+ BB+ 00+ P"},   {31, "S A8+ BB+ 1F+ P"}, {32, "S A8+ BB+ 20+ P"},
        {255, "S A8+ BB+ FF+ P"}, {256, nullptr},          {-1, nullptr},
    };
    for (const auto& c : cases) {
        journal().clear();
        if (c.traffic) {
            gPFI1.setUnderVoltHysteresis(c.steps * 0.0156f);
            EXPECT_EQ(traffic(), c.traffic) << c.steps;
        } else {
            EXPECT_THROW(gPFI1.setUnderVoltHysteresis(c.steps * 0.0156f), Overflow) << c.steps;
            EXPECT_TRUE(journal().events().empty()) << c.steps;
        }
    }
}

TEST_F(PFISelect, EveryInputScalesItsCodesByItsKind) {
    // A select address of no input (0x50) leaves a fresh descriptor's flags
    // clear: neither high-voltage nor high range.
    PFI unlisted;
    unlisted.setAddrDigitalHysteresisOnOVT(0xC9);
    unlisted.setAddrUnderVoltThreshold(0xCA);
    unlisted.setAddrDigitalHysteresisOnUVT(0xCB);
    unlisted.setAddrGlitchRangeFault(0x50);
    struct Case {
        PFI* input;
        std::uint8_t polarity;
        std::uint8_t underVoltThreshold; // xxUVTH: xxOVHYST before it, xxUVHYST after it
        float atZero, atFullScale, hysteresisStep;
    };
    const Case cases[] = {
        {&gBPFI1, 0, 0xA2, 6.0f, 10.0f, 0.0156f},  {&gBPFI1, 1, 0xA2, -6.0f, -2.0f, 0.0156f},
        {&gBPFI2, 0, 0xAA, 6.0f, 10.0f, 0.0156f},  {&gBPFI2, 1, 0xAA, -6.0f, -2.0f, 0.0156f},
        {&gHV, 0, 0xB2, 4.8f, 14.4f, 0.0375f},     {&gHV, 1, 0xB2, 4.8f, 14.4f, 0.0375f},
        {&gPFI1, 1, 0xBA, 6.0f, 10.0f, 0.0156f},   {&gPFI2, 1, 0xC2, 6.0f, 10.0f, 0.0156f},
        {&gPFI3, 1, 0xCA, 6.0f, 10.0f, 0.0156f},   {&gPFI4, 1, 0xD2, 6.0f, 10.0f, 0.0156f},
        {&unlisted, 0, 0xCA, 1.0f, 3.0f, 0.0078f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.underVoltThreshold) * 10 + c.polarity);
        c.input->setVBPolarity(c.polarity);
        chip().setRegisterValue(c.underVoltThreshold, 0);
        EXPECT_NEAR(c.input->UnderVoltThreshold(), c.atZero, 1e-4);
        chip().setRegisterValue(c.underVoltThreshold, 255);
        EXPECT_NEAR(c.input->UnderVoltThreshold(), c.atFullScale, 1e-4);
        // Bits 7-5 are not the hysteresis code.
        chip().setRegisterValue(static_cast<std::uint8_t>(c.underVoltThreshold + 1), 0xE1);
        EXPECT_NEAR(c.input->UnderVoltHysteresis(), c.hysteresisStep, 1e-6);
        chip().setRegisterValue(static_cast<std::uint8_t>(c.underVoltThreshold - 1), 0xE2);
        EXPECT_NEAR(c.input->OverVoltHysteresis(), 2 * c.hysteresisStep, 1e-6);
    }
}

TEST_F(ObjectDescriptors, GiveEachInputItsFiveAddressesAndTouchNoRegister) {
    CreateObjectDescriptors();
    struct Expected {
        const PFI& input;
        std::uint8_t base;
    };
    for (const Expected e : {Expected{gPFI1, 0xB8}, Expected{gPFI2, 0xC0}, Expected{gPFI3, 0xC8},
                             Expected{gPFI4, 0xD0}, Expected{gHV, 0xB0}, Expected{gBPFI1, 0xA0},
                             Expected{gBPFI2, 0xA8}}) {
        EXPECT_EQ(e.input.AddrOverVoltThreshold(), e.base);
        EXPECT_EQ(e.input.AddrDigitalHysteresisOnOVT(), e.base + 1);
        EXPECT_EQ(e.input.AddrUnderVoltThreshold(), e.base + 2);
        EXPECT_EQ(e.input.AddrDigitalHysteresisOnUVT(), e.base + 3);
        EXPECT_EQ(e.input.AddrGlitchRangeFault(), e.base + 4);
    }
    EXPECT_FALSE(comPortCreated());
    EXPECT_TRUE(vsq::sim::SimulatedPc::instance().journal().events().empty());
}
