// The logic-block window on the simulated board: its sequences' traffic on
// the bus journal, its status texts and busy state, its pages and Disable Now.

#include "app/core/app_globals.h"
#include "app/device/tests/chip_traffic.h"
#include "app/logicblocks/plb_page.h"
#include "app/logicblocks/plbfrm.h"
#include "app/shell/main_form.h"
#include "app/shell/testing/window_test.h"
#include "controls/display/toggle.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

#include <random>

using namespace trelvane;
using namespace trelvane::testing;

namespace {

// clang-format off
const char kReadAllOrder[] =
    "04 14 24 34 44 54 64 74 84 05 15 25 35 45 55 65 75 85 "
    "01 11 21 31 41 51 61 71 81 00 10 20 30 40 50 60 70 80 "
    "09 19 29 39 49 59 69 79 89 08 18 28 38 48 58 68 78 88 "
    "03 13 23 33 43 53 63 73 83 02 12 22 32 42 52 62 72 82 "
    "0B 1B 2B 3B 4B 5B 6B 7B 8B 0A 1A 2A 3A 4A 5A 6A 7A 8A "
    "06 16 26 36 46 56 66 76 86 07 17 27 37 47 57 67 77 87";
const char kWriteAllOrder[] =
    "01 11 21 31 41 51 61 71 81 00 10 20 30 40 50 60 70 80 "
    "09 19 29 39 49 59 69 79 89 08 18 28 38 48 58 68 78 88 "
    "03 13 23 33 43 53 63 73 83 02 12 22 32 42 52 62 72 82 "
    "0B 1B 2B 3B 4B 5B 6B 7B 8B 0A 1A 2A 3A 4A 5A 6A 7A 8A "
    "04 14 24 34 44 54 64 74 84 05 15 25 35 45 55 65 75 85 "
    "06 16 26 36 46 56 66 76 86 07 17 27 37 47 57 67 77 87";
// clang-format on

class PLBWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        clearLogicBlocks();
    }

    static std::vector<std::string> transfers() { return chipTransfers(pc().journal()); }
    static void clearLogicBlocks() {
        for (int address = 0x00; address <= 0x8F; ++address)
            chip().setRegisterValue(static_cast<std::uint8_t>(address), 0x00);
    }

    // The window as start-up leaves it (its load reads the chip), journal cleared.
    PLBFRM& load() {
        PLBFRM& window = windows().load<PLBFRM>();
        pc().journal().clear();
        return window;
    }

    // Each status text as it appears, with whether Read All could be clicked then.
    struct Shown {
        QString text;
        bool idle;
        bool operator==(const Shown&) const = default;
    };
    std::vector<Shown>& record(PLBFRM& window) {
        QObject::connect(
            window.StatusBar, &QStatusBar::messageChanged, &window,
            [this, &window](const QString& text) {
                shown_.push_back({text, window.ReadAllCMD->isEnabled() && window.isEnabled()});
            });
        return shown_;
    }

    vsq::platform::VirtualTime time_{0.0005};

private:
    std::vector<Shown> shown_;
};

} // namespace

TEST_F(PLBWindow, HoldsNinetyOneToggleArraysOnNinePagesWhoseChoiceRenamesTheLabel) {
    PLBFRM& window = load();
    EXPECT_EQ(window.windowTitle(), "Programmable Logic Blocks");
    EXPECT_EQ(window.toggleArrayNames().size(), 91u);
    for (const std::string& name : window.toggleArrayNames())
        for (int block = 1; block <= 9; ++block) {
            vsq::display::Toggle& toggle = window.toggle(name, block);
            EXPECT_EQ(toggle.parentWidget(), window.PLBFrame[block]) << name;
            const bool ownRow = name.starts_with("PLB" + std::to_string(block) + "F");
            EXPECT_EQ(toggle.isHidden(), ownRow) << name << block;
            const bool polarityFace = name.ends_with("POL") || name == "PLBOutEN";
            EXPECT_EQ(toggle.Face(),
                      polarityFace ? vsq::display::PolarityFace : vsq::display::EnableFace);
        }
    EXPECT_THROW(window.toggle("VP1F1EN", 10), std::out_of_range);
    // The rows stand 240 twips (16 pixels) apart, VP1 at the top, PLB9 at the foot.
    const int top = window.toggle("VP1F1EN", 1).y();
    EXPECT_EQ(window.toggle("VP2F1EN", 1).y() - top, 16);
    EXPECT_EQ(window.toggle("PLB9F2EN", 1).y() - top, 21 * 16);
    EXPECT_EQ(window.PLBTab->tabText(2), "PLB 3");
    EXPECT_EQ(window.PLBDLBL->text(), "PLB 1");
    window.PLBTab->setCurrentIndex(6);
    EXPECT_EQ(window.PLBDLBL->text(), "PLB 7");
    EXPECT_TRUE(transfers().empty()) << "a page change touches no register";
}

// Busy through every step: no second sequence can start.
TEST_F(PLBWindow, EachSequenceMovesTheHundredAndEightRegistersInFiveSteps) {
    struct Case {
        QPushButton* PLBFRM::*button;
        const char* order;
        std::vector<const char*> steps;
    };
    const Case cases[] = {
        {&PLBFRM::ReadAllCMD,
         kReadAllOrder,
         {"Step 1 of 5, Reading GPIs.", "Step 2 of 5, Reading PLBs.",
          "Step 3 of 5, Reading Voltages.", "Step 4 of 5, Reading WDIs.",
          "Step 5 of 5, Reading block status."}},
        {&PLBFRM::ApplyCMD,
         kWriteAllOrder,
         {"Step 1 of 5, Writing to PLBs", "Step 2 of 5, Writing to Voltages",
          "Step 3 of 5, Writing to GPIs", "Step 4 of 5, Writing to WDIs",
          "Step 5 of 5, Writing to PnEN"}},
    };
    PLBFRM& window = load();
    auto& shown = record(window);
    for (const Case& c : cases) {
        pc().journal().clear();
        shown.clear();
        (window.*c.button)->click();
        EXPECT_EQ(addressesOf(transfers()), c.order);
        std::vector<Shown> expected;
        for (const char* step : c.steps)
            expected.push_back({step, false});
        expected.push_back({"Done", false});
        EXPECT_EQ(shown, expected);
        EXPECT_TRUE(window.isEnabled() && window.ReadAllCMD->isEnabled() &&
                    window.ApplyCMD->isEnabled());
    }
}

TEST_F(PLBWindow, DisableNowSwitchesOffTheTickedFunctionsOfThePageThenWritesAll) {
    struct Case {
        bool functionA;
        bool functionB;
        int page;
        const char* nonZero;
    };
    const Case cases[] = {
        {true, false, 3, "31=FF 33=7F 35=F0 36=50"},
        {false, false, 3, ""},
        {false, true, 8, "89=FF 8B=7F 85=0F 86=05"},
        {true, true, 0, "01=FF 09=FF 03=7F 0B=7F 05=FF 06=55"},
    };
    for (const Case& c : cases) {
        windows().unload<PLBFRM>();
        processEvents();
        clearLogicBlocks();
        PLBFRM& window = load();
        window.PLBTab->setCurrentIndex(c.page);
        window.FuncationACHK->setChecked(c.functionA);
        window.FuncationBCHK->setChecked(c.functionB);
        window.DisablePLB->click();
        EXPECT_EQ(transfers().size(), 108u);
        EXPECT_EQ(nonZeroWrites(transfers()), c.nonZero) << c.page;
        EXPECT_TRUE(window.DisablePLB->isEnabled());
        EXPECT_EQ(window.StatusBar->currentMessage(), "Done");
    }
}

TEST_F(PLBWindow, EveryButtonCaptionHasRoomAroundIt) {
    PLBFRM& window = load();
    window.show();
    QApplication::processEvents();
    for (const QPushButton* button : window.findChildren<QPushButton*>())
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 24)
            << button->objectName().toStdString();
}

// Bit 7 of the supply-fault registers and bits 7-3 of PSnEN are not the
// window's: they go back as 0.
TEST_F(PLBWindow, ReadAllThenWriteAllGivesBackWhatTheChipHeld) {
    std::mt19937 random(5540);
    std::vector<std::uint8_t> held(0x90);
    for (int address = 0; address < 0x90; ++address) {
        held[address] = static_cast<std::uint8_t>(random());
        chip().setRegisterValue(static_cast<std::uint8_t>(address), held[address]);
    }
    PLBFRM& window = load();
    window.ApplyCMD->click();
    const std::uint8_t masks[16] = {0xFF, 0xFF, 0x7F, 0x7F, 0xFF, 0xFF, 0xFF, 0x07,
                                    0xFF, 0xFF, 0x7F, 0x7F, 0x00, 0x00, 0x00, 0x00};
    const auto written = transfers();
    ASSERT_EQ(written.size(), 108u);
    for (const std::string& transfer : written) {
        const int address = std::stoi(transfer.substr(1, 2), nullptr, 16);
        const int value = std::stoi(transfer.substr(4, 2), nullptr, 16);
        EXPECT_EQ(value, held[address] & masks[address % 16]) << transfer;
    }
}

TEST_F(PLBWindow, TheGpiOrderIsTheOptionsAtEachTransfer) {
    chip().setRegisterValue(0x04, 0xFD);
    PLBFRM& window = load();
    gEmulateFixedSilicon = true;
    window.ApplyCMD->click();
    const auto written = transfers();
    EXPECT_NE(std::ranges::find(written, std::string("W04=FB")), written.end());
}

// Reported in place of "Done": the sequence ran to its end, the window is idle.
TEST_F(PLBWindow, TheStatusCountsTheFailedTransfersInPlaceOfDone) {
    PLBFRM& window = load();
    protocol().setArbitrationOn(true);
    protocol().setMaxArbitrationDenials(1);
    struct Case {
        QPushButton* button;
        int failures; // 108: every transfer gives up
        const char* status;
    };
    const Case cases[] = {{window.ReadAllCMD, 0, "Done"},
                          {window.ReadAllCMD, 1, "Not done: 1 bus transfer failed"},
                          {window.ReadAllCMD, 2, "Not done: 2 bus transfers failed"},
                          {window.ReadAllCMD, 108, "Not done: 108 bus transfers failed"},
                          {window.ApplyCMD, 108, "Not done: 108 bus transfers failed"}};
    for (const Case& c : cases) {
        // SDA held low until the library has reported the wanted failures.
        int reported = 0;
        pc().holdSdaLow(1, c.failures > 0);
        auto count =
            protocol().SMBusProtocallError().subscribe([&](std::int16_t, const std::string&) {
                if (++reported >= c.failures)
                    pc().holdSdaLow(1, false);
            });
        c.button->click();
        EXPECT_EQ(window.StatusBar->currentMessage(), c.status) << c.failures;
        EXPECT_EQ(reported, c.failures);
        EXPECT_TRUE(window.isEnabled());
        EXPECT_TRUE(window.ReadAllCMD->isEnabled());
    }
    EXPECT_TRUE(scripted().messages.empty());
}

TEST_F(PLBWindow, AnErrorPartWayEndsTheSequenceWithAMessageAndTheWindowUsable) {
    PLBFRM& window = load();
    delete &window.toggle("VP4F2EN", 9);
    window.ApplyCMD->click();
    // 36 other-block registers, then PnSFDIMKA, PnSFDPOLA and eight PnSFDIMKB.
    EXPECT_EQ(transfers().size(), 62u);
    EXPECT_TRUE(window.StatusBar->currentMessage().startsWith("Stopped: "));
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_EQ(scripted().messages[0].title, "A problem was detected");
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(window.ApplyCMD->isEnabled());
    EXPECT_TRUE(window.onQueryUnload());
    window.SetBusy(true);
    EXPECT_FALSE(window.onQueryUnload());
}

TEST_F(PLBWindow, TheMenuEntryShowsTheWindowReadingTheChipOnItsFirstLoad) {
    TMainForm& main = windows().load<TMainForm>();
    windows().setMdiHost([&main] { return main.mdiArea(); });
    main.show();
    pc().journal().clear();
    EXPECT_EQ(main.PLBMnu->text(), "Programmable Logic Block");
    main.PLBMnu->trigger();
    ASSERT_NE(windows().find<PLBFRM>(), nullptr);
    EXPECT_TRUE(windows().find<PLBFRM>()->isVisible());
    EXPECT_EQ(transfers().size(), 108u);
}
