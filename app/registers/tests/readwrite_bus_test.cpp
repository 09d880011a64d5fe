// The register access window's manager sharing the bus with the program: the
// wizard's choice of chip and port reaches it, and its automatic reading never
// breaks into the program's own transfers.

#include "register_window.h"

#include "app/shell/settings/save_recall_feedback.h"
#include "app/shell/settings/settings_snapshot.h"
#include "app/shell/tests/board_test.h"

#include <regex>
#include <string>

namespace trelvane::testing {
namespace {

// A whole byte read of the chip: its pointer frame (a register, or the user
// EEPROM's F9 and low byte), then its read frame.
const std::regex kWholeRead("S A8\\+ (F9\\+ )?[0-9A-F]{2}\\+ P S A9\\+ [0-9A-F]{2}- P ?");

// What a settings save shows while it reads: each step yields to the event
// loop, as the dialog's status line does.
class YieldingFeedback : public SaveRecallFeedback {
public:
    void setProgressMaximum(int) override {}
    void showStatus(std::string_view, int) override { vsq::platform::yieldOnce(); }
    bool notify(const Notice&) override { return true; }
};

using RegisterWindowBusTest = RegisterWindow;

// A minute of automatic reading while the program takes a settings save's
// snapshots of the chip's registers and user EEPROM, its frames yielding
// inside (bit and frame delays) and between its transfers. The journal is
// checked after each round: nothing but whole reads.
TEST_F(RegisterWindowBusTest, AutoReadingNeverBreaksIntoTheProgramsOwnTransfers) {
    for (int i = 0; i < 256; ++i) {
        pc().chip(1).setRegisterValue(static_cast<std::uint8_t>(i),
                                      static_cast<std::uint8_t>(i ^ 0x3C));
        pc().chip(1).setEepromByte(static_cast<std::uint16_t>(0xF900 + i),
                                   static_cast<std::uint8_t>(0xFF - i));
    }
    load();
    gComPort().PrinterPort()->SMBusProtocall()->setDelay(0.0005f);
    gComPort().PrinterPort()->SMBusProtocall()->setFrameDelay(0.001f);
    click("P1PLBPOLA"); // reads 0x3C
    panel().setAutoRead(true);
    autoReadTicks = true;

    YieldingFeedback feedback;
    int rounds = 0, wrongValues = 0, panelReads = 0;
    std::string broken;
    while (time_.clock().seconds() < 60.0) {
        ReadRAMImage(feedback);
        ReadUserEEPROMImage(feedback);
        ++rounds;
        for (int i = 0; i < 256; ++i)
            wrongValues += (gRAMImage[i] != (i ^ 0x3C)) + (gUserEEPROMImage[i] != 0xFF - i);
        const std::string text = traffic();
        for (std::size_t at = 0;
             (at = text.find("S A8+ 00+ P S A9+ 3C- P", at)) != std::string::npos; ++at)
            ++panelReads;
        broken += std::regex_replace(text, kWholeRead, "");
        journal().clear();
    }
    panel().setAutoRead(false);

    EXPECT_EQ(wrongValues, 0);
    EXPECT_EQ(broken, "");
    EXPECT_GT(panelReads - rounds, 100); // besides the snapshots' own read of 0x00
    EXPECT_EQ(panel().RWValue(), 0x3C);
}

class WizardChoiceTest : public BoardTest {};

TEST_F(WizardChoiceTest, AfterFinishANodeClickReachesTheChosenChipOnItsPort) {
    vsq::sim::SimConfig config;
    config.ports = {{0x378, false}, {0x278, true, 0x5C}};
    powerUp(config);
    InitForm& wizard = startUp();
    search(wizard);
    wizard.FinishCMD->click();

    ReadWriteForm& form = *windows().find<ReadWriteForm>();
    orvessa::QVSManager& manager = *form.QVSManager1;
    EXPECT_EQ(manager.DeviceAddress(), 0x5C);
    EXPECT_EQ(manager.CommType(), 0);
    EXPECT_EQ(manager.PrinterPortAddress(), 0x278);

    pc().chip(2).setRegisterValue(0x00, 0x21);
    pc().journal().clear();
    form.Registertree_NodeClick(form.node("P1PLBPOLA"));
    for (int tick = 0; tick < 3 && form.QVSRegInfo1->Flag(); ++tick) {
        QTimerEvent event(manager.pollTimerId());
        QCoreApplication::sendEvent(&manager, &event);
    }
    EXPECT_EQ(pc().journal().text(2), "S 5C+ 00+ P S 5D+ 21- P");
    EXPECT_EQ(pc().journal().text(1), "");
    EXPECT_EQ(form.QVSRegInfo1->RWValue(), 0x21);
}

} // namespace
} // namespace trelvane::testing
