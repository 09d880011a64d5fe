#include "app/tools/gpio_form.h"
#include "app/tools/tests/tool_test.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

namespace trelvane {
namespace {

using GPIOFormTest = testing::ToolWindowTest<GPIOFRM>;

TEST_F(GPIOFormTest, WithTheEmulateOptionTabOneIsTheLastRegisterAndReadAllWritesNothing) {
    gEmulateFixedSilicon = true;
    chip().setRegisterValue(0x9B, 0x25);
    GPIOFRM& form = load();
    EXPECT_EQ(reads(), std::vector<int>({0x9B, 0x9A, 0x99, 0x98, 0x91}));
    EXPECT_FALSE(form.InvertCHK[0]->isChecked());
    EXPECT_EQ(form.InputTypeCOMBO[0]->currentText(), "Edge");
    EXPECT_EQ(form.PulseLengthCOMBO[0]->currentText(), "10us");
    EXPECT_EQ(form.InputIgnoreCOMBO[0]->currentText(), "50us");

    form.InvertCHK[0]->click();
    EXPECT_EQ(writes(), Writes({"9B=65"}));

    chip().setRegisterValue(0x98, 0xFF);
    clearJournal();
    failNextTransfer(); // tab one's read gives 0
    form.ReadAllCMD->click();
    EXPECT_TRUE(writes().empty());
    EXPECT_FALSE(form.InvertCHK[0]->isChecked());
    EXPECT_EQ(form.InputIgnoreCOMBO[0]->currentText(), "0us");
    EXPECT_TRUE(form.InvertCHK[3]->isChecked());
}

TEST_F(GPIOFormTest, AFullRegisterShowsEveryFieldAndWritesBackWithoutBitSeven) {
    chip().setRegisterValue(0x98, 0xFF);
    GPIOFRM& form = load();
    EXPECT_TRUE(writes().empty());
    EXPECT_TRUE(form.InvertCHK[0]->isChecked());
    EXPECT_EQ(form.InputTypeCOMBO[0]->currentText(), "Edge");
    EXPECT_EQ(form.PulseLengthCOMBO[0]->currentText(), "10000us");
    EXPECT_EQ(form.InputIgnoreCOMBO[0]->currentText(), "100us");
    clearJournal();
    choose(form.InputIgnoreCOMBO[0], 7);
    EXPECT_EQ(writes(), Writes({"98=7F"}));
    EXPECT_TRUE(reads().empty()) << "nothing read first";
}

TEST_F(GPIOFormTest, ThePulseLengthListServesOnlyEdgeInputs) {
    chip().setRegisterValue(0x99, 0x20);
    GPIOFRM& form = load();
    EXPECT_FALSE(form.PulseLengthCOMBO[0]->isEnabled()); // 0x98 = 0x07: level
    EXPECT_TRUE(form.PulseLengthCOMBO[1]->isEnabled());
    choose(form.InputTypeCOMBO[1], 0);
    EXPECT_FALSE(form.PulseLengthCOMBO[1]->isEnabled());
    EXPECT_EQ(form.InputTypeCOMBO[1]->currentText(), "Level  ");
}

TEST_F(GPIOFormTest, APullDownWritesBitsZeroToThreeKeepingTheOthersAndNothingWhenTheReadFails) {
    chip().setRegisterValue(0x91, 0xA5);
    GPIOFRM& form = load();
    std::vector<bool> shown;
    for (const QCheckBox* box : form.EnablePullDownCHK)
        shown.push_back(box->isChecked());
    EXPECT_EQ(shown, std::vector<bool>({true, false, true, false}));
    chip().setRegisterValue(0x91, 0x50);
    clearJournal();
    form.EnablePullDownCHK[3]->click();
    EXPECT_EQ(reads(), std::vector<int>({0x91}));
    EXPECT_EQ(writes(), Writes({"91=5D"}));

    clearJournal();
    failNextTransfer();
    form.EnablePullDownCHK[0]->click();
    EXPECT_TRUE(writes().empty());
    EXPECT_TRUE(form.EnablePullDownCHK[0]->isChecked()) << "the box shows the chip again";
    EXPECT_EQ(chip().registerValue(0x91), 0x5D);
}

} // namespace
} // namespace trelvane
