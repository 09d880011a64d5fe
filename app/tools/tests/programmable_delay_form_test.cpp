#include "app/tools/programmable_delay_form.h"
#include "app/tools/tests/tool_test.h"
#include "controls/display/lgauge.h"
#include "controls/textbox/qvstxt.h"

#include <QComboBox>
#include <QPushButton>

namespace trelvane {
namespace {

using Form = ProgrammableDelayFRM;

class DelayFormTest : public testing::ToolWindowTest<Form> {
protected:
    // The user enters a pulse length and commits it.
    static void enterPulse(Form& form, int block, const char* text) {
        form.InputPulseTXT[block]->setText(text);
        emit form.InputPulseTXT[block]->Update(text);
    }
    static double pointerAt(Form& form, int block, std::int16_t pointer) {
        form.ScopePlot[block]->setPointerIndex(pointer);
        return form.ScopePlot[block]->PointerValue();
    }
};

TEST_F(DelayFormTest, LoadingShowsEachBlockAndWritesNothing) {
    chip().setRegisterValue(0x3C, 0x5A);
    chip().setRegisterValue(0x8C, 0xEF); // the last two entries
    Form& form = load();
    EXPECT_EQ(reads(), std::vector<int>({0x0C, 0x1C, 0x2C, 0x3C, 0x4C, 0x5C, 0x6C, 0x7C, 0x8C}));
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(form.RisingCombo[3]->currentText(), "20");
    EXPECT_EQ(form.FallingCombo[3]->currentText(), "150");
    EXPECT_EQ(pointerAt(form, 3, Form::kRisingPointer), 20);
    EXPECT_EQ(pointerAt(form, 3, Form::kFallingPointer), 750);
    EXPECT_EQ(form.InputPulseTXT[3]->Text(), "600");
    EXPECT_EQ(form.RisingCombo[8]->currentText(), "400");
    EXPECT_EQ(form.FallingCombo[8]->currentText(), "500");
    EXPECT_TRUE(form.WriteALLCMD->isEnabled());

    failNextTransfer(); // PDB1's read gives 0
    form.ReadAllCMD->click();
    EXPECT_EQ(form.RisingCombo[0]->currentText(), "0");
    EXPECT_EQ(form.FallingCombo[0]->currentText(), "0");
    EXPECT_TRUE(writes().empty());
}

TEST_F(DelayFormTest, WriteAllWritesTheNineBlocksInOrderChangedOrNot) {
    Form& form = load();
    choose(form.RisingCombo[0], 1);
    choose(form.FallingCombo[0], 15);
    EXPECT_TRUE(writes().empty());
    clearJournal();
    form.WriteALLCMD->click();
    EXPECT_TRUE(reads().empty()) << "nothing read back";
    EXPECT_EQ(writes(), Writes({"0C=1F", "1C=FF", "2C=FF", "3C=FF", "4C=FF", "5C=FF", "6C=FF",
                                "7C=FF", "8C=FF"}));
    EXPECT_TRUE(form.isEnabled());
}

TEST_F(DelayFormTest, EachEdgeChecksItsOwnOrderRule) {
    Form& form = load();
    const auto caption = [&form] { return form.ScopePlot[0]->Caption(); };
    enterPulse(form, 0, "400");
    EXPECT_EQ(caption(), "Error, input must occur before rising edge"); // rising 500
    choose(form.FallingCombo[0], 0);
    EXPECT_EQ(caption(), ""); // F = I is no error; the input rule is not asked
    choose(form.RisingCombo[0], 15);
    EXPECT_EQ(caption(), "Error, rising Edge must occur before the input");
    choose(form.RisingCombo[0], 9); // 100
    enterPulse(form, 0, "100");
    EXPECT_EQ(caption(), "Error, input must occur before rising edge");
    choose(form.RisingCombo[0], 9);
    EXPECT_EQ(caption(), "Error, rising Edge must occur before the input");
}

TEST_F(DelayFormTest, TheFallingEdgeFollowsTheCommittedPulseOnly) {
    Form& form = load();
    enterPulse(form, 0, "300");
    form.InputPulseTXT[0]->setText("100"); // typed, not committed
    choose(form.FallingCombo[0], 4);       // "10"
    EXPECT_EQ(pointerAt(form, 0, Form::kFallingPointer), 310);
    EXPECT_EQ(pointerAt(form, 0, Form::kInputPointer), 300);
}

} // namespace
} // namespace trelvane
