#include "app/tools/pfi_form.h"
#include "app/tools/tests/tool_test.h"
#include "controls/display/gslider.h"
#include "controls/display/lgauge.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace trelvane {
namespace {

class PFIFormTest : public testing::ToolWindowTest<PFIFRM> {
protected:
    // The user drags a gauge pointer to `code` and lets go.
    static void drag(PFIFRM& form, std::int16_t pointer, int code) {
        form.LimitsSlider->setPointerIndex(pointer);
        form.LimitsSlider->setPointerValue(code);
        emit form.LimitsSlider->PointerMoving();
        form.LimitsSlider->setPointerIndex(pointer);
        emit form.LimitsSlider->PointerMoved();
    }
    static double pointerAt(PFIFRM& form, std::int16_t pointer) {
        form.LimitsSlider->setPointerIndex(pointer);
        return form.LimitsSlider->PointerValue();
    }
};

TEST_F(PFIFormTest, LoadingShowsVP1FromTheChipWithoutWritingIt) {
    chip().setRegisterValue(0xBB, 0xEA); // UV hysteresis 10; bits 7-5 not the code
    PFIFRM& form = load();
    EXPECT_TRUE(form.PFITXT[0]->isChecked());
    EXPECT_EQ(form.RangeCombo->currentText(), "2V to 6V");
    EXPECT_EQ(form.FaultTypeCOMBO->currentText(), "Out-of-window");
    EXPECT_EQ(form.GlitchFilterCOMBO->currentText(), "100");
    EXPECT_EQ(form.PolarityCombo->currentText(), "N/A");
    EXPECT_FALSE(form.PolarityCombo->isEnabled());
    EXPECT_EQ(form.OVTLBL->text(), "OVT: 3.6V");
    EXPECT_EQ(form.UVTLBL->text(), "UVT: 3.004V");
    EXPECT_EQ(form.OVLBL->text(), "OverVoltage: 486mV");
    EXPECT_EQ(form.UVLBL->text(), "UnderVoltage: 157mV");
    EXPECT_EQ(form.OVTScroll->value(), 0x66);
    EXPECT_EQ(form.OVScroll->value(), 31);
    EXPECT_EQ(form.UVScroll->value(), 10);
    EXPECT_EQ(reads(), std::vector<int>({0xBC, 0xBB, 0xB9, 0xB8, 0xBA}));
    EXPECT_TRUE(writes().empty());
}

TEST_F(PFIFormTest, DraggingTheOverVoltagePointerWritesItsCodeOnEachCommit) {
    chip().setRegisterValue(0xBC, 0x72); // range code 0: "1V to 3V"
    PFIFRM& form = load();
    clearJournal();
    drag(form, PFIFRM::kOverPointer, 128);
    EXPECT_EQ(writes(), Writes({"B8=80", "B8=80"}));
    EXPECT_TRUE(reads().empty()) << "nothing read first";
    EXPECT_EQ(form.OVTLBL->text(), "OVT: 2.004V");
    EXPECT_EQ(form.OVTScroll->value(), 128);
}

TEST_F(PFIFormTest, ThePointersStayInOrderEqualCodesAllowed) {
    PFIFRM& form = load(); // OV 0x66, UV 0x40
    drag(form, PFIFRM::kOverPointer, 50);
    EXPECT_EQ(pointerAt(form, PFIFRM::kOverPointer), 0x40);
    form.LimitsSlider->setPointerIndex(PFIFRM::kFirstBand);
    EXPECT_EQ(form.LimitsSlider->PointerUpperEnd(), 0x40);
    form.LimitsSlider->setPointerIndex(PFIFRM::kSecondBand);
    EXPECT_EQ(form.LimitsSlider->PointerUpperEnd(), 0x40);

    drag(form, PFIFRM::kUnderPointer, 200);
    EXPECT_EQ(pointerAt(form, PFIFRM::kUnderPointer), 0x40);
    drag(form, PFIFRM::kOverPointer, 0x90);
    drag(form, PFIFRM::kUnderPointer, 0x90);
    EXPECT_EQ(writes(),
              Writes({"B8=40", "B8=40", "BA=40", "BA=40", "B8=90", "B8=90", "BA=90", "BA=90"}));
}

TEST_F(PFIFormTest, DraggingABandMovesBothThresholdsAndTheOtherBand) {
    PFIFRM& form = load();
    form.LimitsSlider->setPointerIndex(PFIFRM::kSecondBand);
    form.LimitsSlider->setPointerLowerEnd(0x30);
    form.LimitsSlider->setPointerUpperEnd(0x50);
    emit form.LimitsSlider->PointerMoving();
    form.LimitsSlider->setPointerIndex(PFIFRM::kSecondBand);
    emit form.LimitsSlider->PointerMoved();
    EXPECT_EQ(writes(), Writes({"B8=50", "BA=30", "B8=50", "BA=30"}));
    EXPECT_EQ(pointerAt(form, PFIFRM::kOverPointer), 0x50);
    EXPECT_EQ(pointerAt(form, PFIFRM::kUnderPointer), 0x30);
    form.LimitsSlider->setPointerIndex(PFIFRM::kFirstBand);
    EXPECT_EQ(form.LimitsSlider->PointerLowerEnd(), 0x30);
    EXPECT_EQ(form.LimitsSlider->PointerUpperEnd(), 0x50);
}

// Another window may have changed the register since: every commit writes.
TEST_F(PFIFormTest, EachCommitWritesItsCodeWhatWasReadOrNot) {
    chip().setRegisterValue(0xB8, 0x40); // OV = UV = 0x40
    PFIFRM& form = load();
    chip().setRegisterValue(0xB8, 0x90);
    drag(form, PFIFRM::kOverPointer, 0x30);
    EXPECT_EQ(writes(), Writes({"B8=40", "B8=40"}));
    EXPECT_EQ(chip().registerValue(0xB8), 0x40);
}

TEST_F(PFIFormTest, VB2ReadNegativeRunsInRangeOneWithOneWrite) {
    PFIFRM& form = load();
    clearJournal();
    form.PFITXT[4]->click();
    EXPECT_EQ(form.RangeCombo->currentText(), "2V to 6V");
    EXPECT_FALSE(form.RangeCombo->isEnabled());
    EXPECT_EQ(form.PolarityCombo->currentText(), "Negative");
    EXPECT_EQ(writes(), Writes({"AC=F6"}));
}

TEST_F(PFIFormTest, EveryOtherInputSelectsWithoutAWrite) {
    PFIFRM& form = load();
    // Each input's own threshold in its own range (VH's the last, 4.8 V to 14.4 V).
    const std::pair<int, const char*> rows[] = {
        {1, "OVT: 2.804V"},  {2, "OVT: 2.004V"}, {3, "OVT: 1.8V"}, {5, "OVT: 2.749V"},
        {6, "OVT: 13.798V"}, {0, "OVT: 3.6V"},   {0, "OVT: 3.6V"}};
    for (const auto& [index, over] : rows) {
        form.PFITXT[index]->click();
        EXPECT_TRUE(form.PFITXT[index]->isChecked());
        EXPECT_EQ(form.OVTLBL->text(), over) << index;
    }
    EXPECT_TRUE(writes().empty());
}

// VB 2's descriptor keeps its fields (all 0, never read); the codes read 0.
TEST_F(PFIFormTest, ASelectionWhoseReadsFailWritesNothingAndShowsCodeZero) {
    PFIFRM& form = load();
    clearJournal();
    protocol().setArbitrationOn(true);
    protocol().setMaxArbitrationDenials(1);
    pc().holdSdaLow(1, true); // every transfer gives up
    form.PFITXT[4]->click();
    pc().holdSdaLow(1, false);
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(chip().registerValue(0xAC), 0xF2);
    EXPECT_EQ(form.OVTLBL->text(), "OVT: 1V"); // range "1V to 3V"
    EXPECT_EQ(form.UVLBL->text(), "UnderVoltage: 0mV");
}

TEST_F(PFIFormTest, NegativePolarityWritesRangeOneOnceAndPositiveFreesTheRange) {
    PFIFRM& form = load();
    form.PFITXT[5]->click(); // VB 1: 0x72, positive, range 0
    clearJournal();
    choose(form.PolarityCombo, 1);
    EXPECT_EQ(writes(), Writes({"A4=F6"}));
    EXPECT_EQ(form.RangeCombo->currentText(), "2V to 6V");
    EXPECT_FALSE(form.RangeCombo->isEnabled());
    choose(form.PolarityCombo, 0);
    EXPECT_EQ(writes(), Writes({"A4=F6", "A4=76"}));
    EXPECT_TRUE(form.RangeCombo->isEnabled());
}

TEST_F(PFIFormTest, ARangeChangeWritesOnlyTheSelectRegisterAndShowsNewVolts) {
    PFIFRM& form = load();
    choose(form.RangeCombo, 2);
    choose(form.FaultTypeCOMBO, 3);
    EXPECT_EQ(writes(), Writes({"BC=7A", "BC=7B"}));
    EXPECT_EQ(form.OVTLBL->text(), "OVT: 1.08V"); // 0.6 + 102 / 255 * 1.2
    EXPECT_EQ(form.OVLBL->text(), "OverVoltage: 146mV");
}

TEST_F(PFIFormTest, ARangeCodeWithoutAnEntryLeavesTheListBlankAndTheVoltsAtZero) {
    chip().setRegisterValue(0xBC, 0x7E);
    PFIFRM& form = load();
    EXPECT_EQ(form.RangeCombo->currentText(), "");
    EXPECT_EQ(form.OVTLBL->text(), "OVT: 0V");
    EXPECT_EQ(form.UVLBL->text(), "UnderVoltage: 0mV");
    EXPECT_TRUE(writes().empty());
}

TEST_F(PFIFormTest, HysteresisMovesWriteTheFiveBitCode) {
    chip().setRegisterValue(0xB9, 0x3F);
    PFIFRM& form = load();
    EXPECT_EQ(form.OVHystSlider->Position(), 31);
    form.OVHystSlider->setPosition(10);
    emit form.OVHystSlider->Moving();
    emit form.OVHystSlider->Moved();
    EXPECT_EQ(form.OVScroll->value(), 10);
    EXPECT_EQ(form.OVLBL->text(), "OverVoltage: 157mV");
    form.UVScroll->setValue(30); // an arrow click on the bar
    EXPECT_EQ(form.UVHystSlider->Position(), 30);
    EXPECT_EQ(writes(), Writes({"B9=0A", "B9=0A", "BB=1E"}));
}

TEST_F(PFIFormTest, TheFineTuneBarsFollowTheNewInputSoOneStepWritesItsOwnCode) {
    PFIFRM& form = load();
    drag(form, PFIFRM::kOverPointer, 0x70);
    form.PFITXT[1]->click(); // VP 2: OV 0xE6, OV hysteresis 31
    EXPECT_EQ(form.OVTScroll->value(), 0xE6);
    clearJournal();
    form.OVTScroll->setValue(0xE7);
    form.UVTScroll->setValue(0x98); // VP 2: UV 0x99
    form.OVScroll->setValue(30);
    EXPECT_EQ(writes(), Writes({"C0=E7", "C2=98", "C1=1E"}));
}

// Reopened with the emulate option, the first two ranges of the positive
// inputs are swapped.
TEST_F(PFIFormTest, CloseUnloadsAndReopeningSelectsVP1AgainInTheRangesOfTheEmulateOption) {
    PFIFRM& form = load();
    form.PFITXT[6]->click();
    form.QuitCMD->click();
    processEvents();
    EXPECT_EQ(windows().find<PFIFRM>(), nullptr);
    gEmulateFixedSilicon = true;
    PFIFRM& again = load();
    EXPECT_TRUE(again.PFITXT[0]->isChecked());
    EXPECT_EQ(again.RangeCombo->currentText(), "1V to 3V");
    EXPECT_EQ(again.OVTLBL->text(), "OVT: 1.8V");
    EXPECT_TRUE(writes().empty());
}

} // namespace
} // namespace trelvane
