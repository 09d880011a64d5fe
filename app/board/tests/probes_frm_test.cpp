// The board window's channel texts, and the window on the simulated board: what
// it reads and writes, checked on the bus journal.

#include "app/board/board_channels.h"
#include "app/board/tests/board_window_test.h"
#include "app/device/data_port_or_bits.h"
#include "controls/display/strip.h"

#include <QLabel>
#include <QPushButton>

#include <functional>
#include <stdexcept>
#include <vector>

namespace trelvane {
namespace {

using vsq::display::GSlider;
using States = std::vector<bool>;

TEST(BoardChannels, TimerPeriodWithThreeDecimalsWhileMovingAndTwoAfterAReadBack) {
    const struct {
        int position;
        const char* moving;
        const char* readBack;
    } rows[] = {{0, "7.773 ms", "7.77 ms"},
                {1, "41.261 ms", "41.26 ms"},
                {128, "4294.273 ms", "4294.27 ms"},
                {255, "8547.285 ms", "8547.28 ms"}};
    for (const auto& row : rows) {
        EXPECT_EQ(board::wdiPeriodText(row.position, 3), row.moving);
        EXPECT_EQ(board::wdiPeriodText(row.position, 2), row.readBack);
    }
}

TEST(BoardChannels, RoundingGoesHalfToEvenAndDropsTheSignOfZero) {
    EXPECT_EQ(board::roundedText(0.0625, 3), "0.062");
    EXPECT_EQ(board::roundedText(0.1875, 3), "0.188");
    EXPECT_EQ(board::roundedText(-0.0001, 3), "0");
    EXPECT_EQ(board::dacWord(1023.9), 0x23FF) << "the whole part";
    EXPECT_EQ(board::dacWord(1024), 0x2000) << "ten bits";
}

class ProbesFrmTest : public testing::BoardWindowTest {
protected:
    template <std::size_t N>
    static States states(const std::array<vsq::display::Toggle*, N>& toggles) {
        States on;
        for (const auto* toggle : toggles)
            on.push_back(toggle->State());
        return on;
    }
    // The seven DAC sliders' captions, U5 first.
    static QStringList captions(const ProbesFrm& form) {
        QStringList shown;
        for (const GSlider* slider : form.U5Slider)
            shown << slider->Caption();
        for (const GSlider* slider : form.U6Slider)
            shown << slider->Caption();
        return shown;
    }
};

// Seven DAC words, the switch, the potentiometer; nothing written.
constexpr char kReadBack[] = "S 18+ 21+ P S 19+ 22+ 00- P S 18+ 22+ P S 19+ %1- P "
                             "S 18+ 24+ P S 19+ 23+ %2- P S 1A+ 21+ P S 1B+ 22+ 33- P "
                             "S 1A+ 22+ P S 1B+ 21+ AB- P S 1A+ 24+ P S 1B+ 21+ 33- P "
                             "S 1A+ 28+ P S 1B+ 21+ 00- P S 91+ %3- P S 58+ 00+ P S 59+ %4- P";

TEST_F(ProbesFrmTest, LoadingAndReadAllReadTheBoardAndWriteNothingBack) {
    board().dacU5().setWord(1, 0x2201);
    board().dacU5().setWord(2, 0x23A9); // VH at the top of its slider
    ProbesFrm& form = load();
    EXPECT_EQ(traffic(), QString(kReadBack).arg("22+ 01", "A9", "41", "80").toStdString());
    EXPECT_EQ(captions(form),
              QStringList({"0", "0.012", "13.451", "3.299", "2.502", "1.799", "1.5"}));
    EXPECT_EQ(form.U5Slider[2]->Position(), 937);
    EXPECT_EQ(states(form.U2SW), States({true, false, false, false, false, false, true}));
    EXPECT_EQ(form.WDIFreqLBL->text(), "4294.27 ms");

    // Behind the window: VH one past the slider's end, every switch open, the
    // wiper at 0, every spare line high.
    board().dacU5().setWord(1, 0x2000);
    board().dacU5().setWord(2, 0x23AA);
    board().analogSwitch().setSwitches(0x00);
    board().potentiometer().setWiper(0);
    protocol().setBitsToStayHigh(0xFC);
    clearJournal();
    form.ReadAllCMD->click();
    EXPECT_EQ(traffic(), QString(kReadBack).arg("20+ 00", "AA", "00", "00").toStdString());
    EXPECT_EQ(captions(form), QStringList({"0", "-6", ">13.5V", "3.299", "2.502", "1.799", "1.5"}));
    EXPECT_EQ(form.U5Slider[2]->Position(), 937);
    EXPECT_EQ(states(form.U2SW), States(7, false));
    EXPECT_EQ(states(form.GPIOToggle), States(4, true));
    EXPECT_EQ(form.WDIFreqLBL->text(), "7.77 ms");
    EXPECT_TRUE(pc().journal().port(1).spareLineChanges.empty());
}

TEST_F(ProbesFrmTest, TheTopCodesReadBackAsTheSlidersEnds) {
    ProbesFrm& form = load();
    for (int i = 0; i < 3; ++i)
        board().dacU5().setWord(i, 0x23FF);
    for (int i = 0; i < 4; ++i)
        board().dacU6().setWord(i, 0x23FF);
    board().potentiometer().setWiper(255);
    form.ReadAllCMD->click();
    QStringList read;
    for (GSlider* slider :
         {form.U5Slider[0], form.U5Slider[1], form.U5Slider[2], form.U6Slider[0], form.U6Slider[1],
          form.U6Slider[2], form.U6Slider[3], form.WDITimerSlider})
        read << QStringLiteral("%1 %2 %3")
                    .arg(slider->Title())
                    .arg(slider->Position())
                    .arg(slider->Caption());
    EXPECT_EQ(read,
              QStringList({"VB1 Input : 1023 5.988", "VB2 Input 1023 5.988", "VH Input 937 >13.5V",
                           "VP1 Input 1023 5.994", "VP2 Input 1023 5.994", "VP3 Input 1023 5.994",
                           "VP4 Input 1023 5.994",
                           "WDI timer frequency adjust (derived from U21 and U22) 255 "}));
    EXPECT_EQ(form.WDIFreqLBL->text(), "8547.28 ms");
}

TEST_F(ProbesFrmTest, EachSliderWritesItsChannelOnReleaseAndShowsItsVolts) {
    ProbesFrm& form = load();
    const struct {
        GSlider* slider;
        double position;
        const char* caption;
        const char* traffic;
    } rows[] = {
        {form.U5Slider[0], 512, "0", "S 18+ 21+ 22+ 00+ P"},
        {form.U5Slider[0], 1023, "5.988", "S 18+ 21+ 23+ FF+ P"},
        {form.U5Slider[1], 511, "-0.012", "S 18+ 22+ 21+ FF+ P"},
        {form.U5Slider[2], 937, "13.451", "S 18+ 24+ 23+ A9+ P"},
        {form.U6Slider[0], 1023, "5.994", "S 1A+ 21+ 23+ FF+ P"},
        {form.U6Slider[1], 512, "3", "S 1A+ 22+ 22+ 00+ P"},
        {form.U6Slider[2], 1, "0.006", "S 1A+ 24+ 20+ 01+ P"},
        {form.U6Slider[3], 1023, "5.994", "S 1A+ 28+ 23+ FF+ P"},
        // The potentiometer's caption is the timer period, three decimals while moved.
        {form.WDITimerSlider, 128, "4294.273 ms", "S 58+ 00+ 80+ P"},
    };
    for (const auto& row : rows) {
        clearJournal();
        drag(row.slider, row.position);
        EXPECT_EQ(row.slider == form.WDITimerSlider ? form.WDIFreqLBL->text()
                                                    : row.slider->Caption(),
                  row.caption);
        EXPECT_EQ(traffic(), "") << "a drag writes nothing";
        release(row.slider);
        EXPECT_EQ(traffic(), row.traffic);
    }
}

TEST_F(ProbesFrmTest, SwitchesChangeTheirOwnBitAndS1AndS2BreakBeforeMake) {
    const struct {
        std::uint8_t before;
        int k;
        const char* traffic;
        std::uint8_t after;
    } rows[] = {
        {0x42, 0, "S 91+ 42- P S 90+ 40+ P S 90+ 41+ P", 0x41},
        {0xC1, 0, "S 91+ C1- P S 90+ C0+ P S 90+ C2+ P", 0xC2}, // S1 off closes S2
        {0x81, 1, "S 91+ 81- P S 90+ 80+ P S 90+ 82+ P", 0x82},
        {0x02, 1, "S 91+ 02- P S 90+ 00+ P S 90+ 01+ P", 0x01},
        {0x81, 2, "S 91+ 81- P S 90+ 85+ P", 0x85},
        {0xFF, 3, "S 91+ FF- P S 90+ F7+ P", 0xF7},
        {0x00, 4, "S 91+ 00- P S 90+ 10+ P", 0x10},
        {0x00, 5, "S 91+ 00- P S 90+ 20+ P", 0x20},
        {0xC0, 6, "S 91+ C0- P S 90+ 80+ P", 0x80},
    };
    for (const auto& row : rows) {
        board().analogSwitch().setSwitches(row.before);
        ProbesFrm& form = load();
        clearJournal();
        flip(form.U2SW[row.k]);
        EXPECT_EQ(traffic(), row.traffic);
        States shown;
        for (int k = 0; k < 7; ++k)
            shown.push_back(row.after & (1 << k));
        EXPECT_EQ(states(form.U2SW), shown) << row.traffic;
        windows().unload<ProbesFrm>();
        processEvents();
    }
}

TEST_F(ProbesFrmTest, DisconnectOpensS1AndS2AndRefreshesEveryToggle) {
    board().analogSwitch().setSwitches(0xFF);
    protocol().setBitsToStayHigh(0x5C);
    ProbesFrm& form = load();
    form.GPIOToggle[1]->setState(true); // shown only: the refresh puts it back
    clearJournal();
    form.DisconnectCMD->click();
    EXPECT_EQ(traffic(), "S 91+ FF- P S 90+ FC+ P S 91+ FC- P");
    EXPECT_EQ(states(form.U2SW), States({false, false, true, true, true, true, true}));
    EXPECT_EQ(states(form.GPIOToggle), States({true, false, true, false}));
}

TEST_F(ProbesFrmTest, WhenTheSwitchCannotBeReadNothingIsSentToIt) {
    ProbesFrm& form = load();
    const std::function<void()> actions[] = {[&] { flip(form.U2SW[0]); },
                                             [&] { flip(form.U2SW[3]); },
                                             [&] { form.DisconnectCMD->click(); }};
    for (const auto& act : actions) {
        clearJournal();
        failNextTransfer();
        act();
        EXPECT_EQ(traffic().find("S 90"), std::string::npos) << traffic();
        EXPECT_EQ(board().analogSwitch().switches(), 0x41);
        EXPECT_EQ(states(form.U2SW), States({true, false, false, false, false, false, true}));
    }
}

// A read that fails gives 0: the sliders, switches, period and chart show it.
TEST_F(ProbesFrmTest, FailedReadsShowAsZeroes) {
    pc().setAdcInputVoltage(1, 0x54, 1, 15.0); // PDO 1
    ProbesFrm& form = load();
    protocol().setArbitrationOn(true);
    protocol().setMaxArbitrationDenials(1);
    pc().holdSdaLow(1, true); // every transfer gives up
    form.ReadAllCMD->click();
    EXPECT_EQ(captions(form), QStringList({"-6", "-6", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(states(form.U2SW), States(7, false));
    EXPECT_EQ(form.WDIFreqLBL->text(), "7.77 ms");
    form.PDOTimer_Timer();
    for (int trace = 0; trace < 9; ++trace) {
        ASSERT_EQ(form.PDOStrip->trace(trace).size(), 1u) << trace;
        EXPECT_EQ(form.PDOStrip->trace(trace).newest(), 0.0) << trace;
    }
    EXPECT_TRUE(scripted().messages.empty());
}

TEST_F(ProbesFrmTest, SpareLinesGoToTheLibraryThePortAndTheManagerWhoseFailureIsShown) {
    std::vector<int> manager;
    connectDataPortOrBits([&](std::uint8_t bits) { manager.push_back(bits); });
    ProbesFrm& form = load();
    clearJournal();
    for (int k : {0, 1, 2, 3, 0, 1, 2, 3}) {
        flip(form.GPIOToggle[k]);
        EXPECT_EQ(pc().journal().port(1).spareLineChanges.back(), protocol().BitsToStayHigh());
        EXPECT_EQ(manager.back(), protocol().BitsToStayHigh());
    }
    EXPECT_EQ(manager, std::vector<int>({0x1C, 0x3C, 0x7C, 0xFC, 0xEC, 0xCC, 0x8C, 0x0C}));
    EXPECT_EQ(traffic(), "");

    // A failed call is shown and the program goes on.
    connectDataPortOrBits([](std::uint8_t) { throw std::runtime_error("Manager gone"); });
    flip(form.GPIOToggle[0]);
    connectDataPortOrBits({});
    flip(form.GPIOToggle[0]); // the spare lines as they were
    EXPECT_FALSE(vsq::platform::quitRequested());
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_EQ(scripted().messages[0].text, "Manager gone");
    EXPECT_EQ(scripted().messages[0].title, "Error");
}

} // namespace
} // namespace trelvane
