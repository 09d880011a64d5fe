// The register access window's manager sharing the bus with the program: the
// wizard's choice of chip and port reaches it, and its automatic reading never
// breaks into the program's own transfers.

#include "register_window.h"

#include "app/shell/settings/save_recall_feedback.h"
#include "app/shell/settings/settings_snapshot.h"
#include "app/shell/tests/board_test.h"

#include <map>

namespace trelvane::testing {
namespace {

using vsq::sim::Acknowledge;
using vsq::sim::BusEvent;
using vsq::sim::EventKind;

// The bus's frames as transfers to the chip at 0xA8: "W10=55" a byte write,
// "R10=55" a byte read (pointer frame, then read frame), "E12=5A" an EEPROM
// byte read; anything else, or a frame that another breaks apart, is "?".
std::vector<std::string> chipTransfers(const std::vector<BusEvent>& events) {
    std::vector<std::vector<const BusEvent*>> frames;
    bool open = false;
    for (const BusEvent& event : events) {
        if (event.kind == EventKind::Start) {
            frames.emplace_back();
            open = true;
        } else if (event.kind == EventKind::Stop) {
            open = false;
        } else if (!open || event.kind == EventKind::RepeatedStart) {
            frames.push_back({nullptr}); // a byte outside a frame, or a repeated start
        } else {
            frames.back().push_back(&event);
        }
    }
    auto acked = [](const std::vector<const BusEvent*>& frame, std::size_t last) {
        for (std::size_t i = 0; i < frame.size(); ++i)
            if (!frame[i] || frame[i]->ack != (i + 1 < last ? Acknowledge::Ack : Acknowledge::Nack))
                return false;
        return true;
    };
    auto isRead = [&](std::size_t k) {
        return k < frames.size() && frames[k].size() == 2 && frames[k][0] &&
               frames[k][0]->value == 0xA9 && acked(frames[k], 2);
    };
    std::vector<std::string> transfers;
    char text[16];
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const auto& frame = frames[k];
        const bool writtenToChip =
            !frame.empty() && frame[0] && frame[0]->value == 0xA8 && acked(frame, frame.size() + 1);
        if (writtenToChip && frame.size() == 2 && isRead(k + 1)) {
            std::snprintf(text, sizeof text, "R%02X=%02X", frame[1]->value,
                          frames[k + 1][1]->value);
            ++k;
        } else if (writtenToChip && frame.size() == 3 && isRead(k + 1)) {
            std::snprintf(text, sizeof text, "E%02X=%02X", frame[2]->value,
                          frames[k + 1][1]->value);
            ++k;
        } else if (writtenToChip && frame.size() == 3) {
            std::snprintf(text, sizeof text, "W%02X=%02X", frame[1]->value, frame[2]->value);
        } else {
            std::snprintf(text, sizeof text, "?");
        }
        transfers.emplace_back(text);
    }
    return transfers;
}

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
// inside (bit and frame delays) and between its transfers.
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

    // The journal is read and cleared after each round, between transfers.
    YieldingFeedback feedback;
    std::map<std::string, int> seen;
    int rounds = 0, wrongValues = 0;
    while (time_.clock().seconds() < 60.0) {
        ReadRAMImage(feedback);
        ReadUserEEPROMImage(feedback);
        ++rounds;
        for (int i = 0; i < 256; ++i) {
            wrongValues += gRAMImage[i] != (i ^ 0x3C);
            wrongValues += gUserEEPROMImage[i] != 0xFF - i;
        }
        for (const std::string& transfer : chipTransfers(journal().events(1)))
            ++seen[transfer];
        journal().clear();
    }
    panel().setAutoRead(false);

    EXPECT_EQ(wrongValues, 0);
    EXPECT_EQ(seen["?"], 0);
    // Besides the snapshots' own read of 0x00, the panel's.
    EXPECT_GT(seen["R00=3C"] - rounds, 100);
    EXPECT_EQ(seen["R01=3D"], rounds);
    EXPECT_EQ(seen["RDF=E3"], rounds);
    EXPECT_EQ(seen["E00=FF"], rounds);
    EXPECT_EQ(seen["EFF=00"], rounds);
    EXPECT_EQ(seen.size(), 256u + 256u + 1u); // every read once a round; no write, no "?"
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
