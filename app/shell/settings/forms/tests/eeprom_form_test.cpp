// The EEPROM tool headless, on the simulated board.

#include "app/core/program_end.h"
#include "app/shell/settings/forms/eeprom_form.h"
#include "settings_forms_test.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

namespace trelvane {
namespace {

class EEPROMForm : public testing::SettingsFormsTest {
protected:
    EEPROMFRM& load() { return windows().show<EEPROMFRM>(); }
    // EEPROM byte writes so far: frames of the four bytes A8 F8 <low> <value>.
    static int byteWrites() {
        int count = 0;
        std::vector<std::uint8_t> frame;
        for (const auto& event : journal().events(1)) {
            if (event.kind == vsq::sim::EventKind::Start)
                frame.clear();
            else if (event.kind == vsq::sim::EventKind::Byte)
                frame.push_back(event.value);
            else if (event.kind == vsq::sim::EventKind::Stop)
                count += frame.size() == 4 && frame[0] == 0xA8 && frame[1] == 0xF8;
        }
        return count;
    }
};

TEST_F(EEPROMForm, LoadingShowsUPDCFGWithoutWritingIt) {
    chip().setRegisterValue(0x90, 0x09);
    auto& form = load();
    EXPECT_EQ(traffic(), "S A8+ 90+ P S A9+ 09- P");
    EXPECT_TRUE(form.UPDCFGCHK[0]->isChecked());
    EXPECT_TRUE(form.UPDCFGCHK[3]->isChecked());
    EXPECT_EQ(form.EEPROMHighByteCOMBO->currentText(), "F8");
    EXPECT_EQ(form.EEPROMHighByteCOMBO->count(), 2);
    EXPECT_EQ(form.PageCOMBO->currentText(), "0");
    EXPECT_EQ(form.PageCOMBO->count(), 8);
    EXPECT_EQ(form.windowTitle(), "RAM/EEPROM communications");
    EXPECT_FALSE(form.StopCMD->isEnabled());
    EXPECT_FALSE(form.StopEraseCMD->isEnabled());
    EXPECT_TRUE(form.EraseEEPROMFirstCHK->isChecked());
}

TEST_F(EEPROMForm, ABoxClickWritesOnlyUPDAndEE_ERASEAndTheLoadButtonsSetTheirBitByRMW) {
    chip().setRegisterValue(0x90, 0x06);
    auto& form = load();
    journal().clear();
    form.UPDCFGCHK[0]->click(); // then shows the register again
    EXPECT_EQ(traffic(), "S A8+ 90+ 01+ P S A8+ 90+ P S A9+ 01- P");
    journal().clear();
    form.EEPROMLD->click();
    form.RAMLDCMD->click();
    EXPECT_EQ(traffic(), "S A8+ 90+ P S A9+ 01- P S A8+ 90+ 05+ P "
                         "S A8+ 90+ P S A9+ 01- P S A8+ 90+ 03+ P");
}

TEST_F(EEPROMForm, ErasePageErasesThePageChosen) {
    auto& form = load();
    form.EEPROMHighByteCOMBO->setCurrentText("F9");
    form.PageCOMBO->setCurrentText("E0");
    journal().clear();
    form.ErasePageCMD->click();
    EXPECT_EQ(traffic(), "S A8+ 90+ P S A9+ 01- P S A8+ 90+ 09+ P S A8+ 90+ P S A9+ 09- P "
                         "S A8+ F9+ E0+ P S A8+ FE+ P");
    EXPECT_EQ(chip().pageErases(), 1);
    EXPECT_EQ(chip().eepromByte(0xF9E0), 0xFF);
}

TEST_F(EEPROMForm, ClosingDuringACopyStopsItAndClosesTheWindowAfterIt) {
    for (const bool closeButton : {false, true}) {
        journal().clear();
        auto& form = load();
        bool closed = false;
        onYield = [&] {
            if (!closed && byteWrites() == 4) {
                closed = true;
                if (closeButton)
                    form.CloseCMD->click();
                else
                    form.close();
            }
        };
        form.SaveRAMCMD->click();
        EXPECT_EQ(byteWrites(), 4) << closeButton;
        EXPECT_EQ(form.statusText(), "EEPROM Erase interrupted by user");
        processEvents();
        EXPECT_EQ(windows().find<EEPROMFRM>(), nullptr) << closeButton;
    }
}

TEST_F(EEPROMForm, ExitDuringACopyEndsItPromptly) {
    auto& form = load();
    onYield = [&] {
        if (!vsq::platform::quitRequested() && byteWrites() == 3)
            endProgram();
    };
    const double before = vsq::platform::secondsNow();
    form.SaveRAMCMD->click();
    EXPECT_EQ(byteWrites(), 3);
    EXPECT_LT(vsq::platform::secondsNow() - before, 1.0);
}

TEST_F(EEPROMForm, StopEraseIsHonouredBetweenPagesAndClearedWhenAnEraseStarts) {
    auto& form = load();
    bool stopEnabled = false;
    onYield = [&] {
        stopEnabled = stopEnabled || form.StopEraseCMD->isEnabled();
        if (chip().pageErases() == 2)
            form.StopEraseCMD->click();
    };
    form.EraseAllCMD->click();
    EXPECT_TRUE(stopEnabled);
    EXPECT_EQ(chip().pageErases(), 3); // the page whose wait had begun
    EXPECT_FALSE(form.StopEraseCMD->isEnabled());
    EXPECT_TRUE(form.EraseAllCMD->isEnabled());
    onYield = nullptr;
    form.EraseAllCMD->click();
    EXPECT_EQ(chip().pageErases(), 19);
}

TEST_F(EEPROMForm, EveryButtonCaptionHasRoomAroundIt) {
    auto& form = load();
    QApplication::processEvents();
    for (const QPushButton* button : form.findChildren<QPushButton*>())
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 24)
            << button->objectName().toStdString();
}

} // namespace
} // namespace trelvane
