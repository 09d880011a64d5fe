// The driver-output chart: what one tick reads and plots, the ticks it skips
// so it never cuts into a frame, and its life when the window hides.

#include "app/board/tests/board_window_test.h"
#include "app/device/transfer_status.h"
#include "app/shell/core/qt_yield.h"
#include "comms/bus_state.h"
#include "controls/display/strip.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <functional>

namespace trelvane {
namespace {

using vsq::sim::EventKind;

// One chart sample: select the input, read the conversion word.
std::string sampleTraffic(const char* adc, const char* input, const char* word) {
    const std::string write = std::string("S ") + adc + "+ 01+ " + input + "+ P ";
    const int readAddress = std::stoi(adc, nullptr, 16) + 1;
    char read[64];
    std::snprintf(read, sizeof read, "S %s+ 04+ P S %02X+ %s P", adc, readAddress, word);
    return write + read;
}

// Delivers a call from the n-th yield of whatever runs next.
class CallFromYield {
public:
    CallFromYield(int n, std::function<void()> call)
        : previous_(vsq::platform::setYieldHook([this, n, call](vsq::platform::YieldMode) {
              if (++yields_ == n)
                  call();
          })) {}
    ~CallFromYield() { vsq::platform::setYieldHook(previous_); }

private:
    int yields_ = 0;
    vsq::platform::YieldHook previous_;
};

class ProbesChartTest : public testing::BoardWindowTest {
protected:
    void setInputs() {
        pc().setAdcInputVoltage(1, 0x50, 1, 5.5);  // PDO 9
        pc().setAdcInputVoltage(1, 0x50, 2, 2.75); // PDO 8
        pc().setAdcInputVoltage(1, 0x52, 2, 15.0); // PDO 4
        pc().setAdcInputVoltage(1, 0x52, 3, 7.5);  // PDO 3
    }
    // Frames whose START came while another frame was still open.
    static int interleavedFrames() {
        int interleaved = 0;
        bool open = false;
        for (const auto& event : pc().journal().events(1)) {
            if (event.kind == EventKind::Start) {
                interleaved += open;
                open = true;
            } else if (event.kind == EventKind::Stop) {
                open = false;
            }
        }
        return interleaved;
    }
    static std::size_t frames() { return pc().journal().count(1, EventKind::Start); }
};

TEST_F(ProbesChartTest, ATickReadsTheNineOutputsInOrderAndPlotsThemInVolts) {
    setInputs();
    ProbesFrm& form = load();
    clearJournal();
    form.PDOTimer_Timer();
    EXPECT_EQ(
        traffic(),
        sampleTraffic("50", "20", "FF+ C0-") + " " + sampleTraffic("50", "40", "80+ 00-") + " " +
            sampleTraffic("50", "60", "00+ 00-") + " " + sampleTraffic("50", "80", "00+ 00-") +
            " " + sampleTraffic("52", "20", "00+ 00-") + " " +
            sampleTraffic("52", "40", "FF+ C0-") + " " + sampleTraffic("52", "60", "80+ 00-") +
            " " + sampleTraffic("52", "80", "00+ 00-") + " " +
            sampleTraffic("54", "20", "00+ 00-"));
    // Trace t is "PDO t+1".
    const double volts[9] = {0, 0, 7.5, 14.9853515625, 0, 0, 0, 2.75, 5.49462890625};
    for (int trace = 0; trace < 9; ++trace) {
        ASSERT_EQ(form.PDOStrip->trace(trace).size(), 1u) << trace;
        EXPECT_DOUBLE_EQ(form.PDOStrip->trace(trace).at(0), volts[trace]) << trace;
    }
    form.PDOStrip->setLegendIndex(8);
    EXPECT_EQ(form.PDOStrip->LegendText(), "PDO 9");
    EXPECT_EQ(form.PDOStrip->TraceCount(), 9);
}

TEST_F(ProbesChartTest, ATickThatWouldCutIntoAFrameIsSkipped) {
    ProbesFrm& form = load();
    protocol().setDelay(1.0f);
    protocol().setRelativeDelayOn(true); // every edge of a frame yields

    clearJournal();
    {
        CallFromYield intrusion(10, [&] { form.PDOTimer_Timer(); });
        WriteRegister(0x10, 0x5A);
    }
    EXPECT_EQ(traffic(), "S A8+ 10+ 5A+ P") << "inside another client's frame";
    EXPECT_EQ(form.PDOStrip->trace(8).size(), 0u) << "nothing plotted";

    clearJournal();
    {
        CallFromYield intrusion(10, [&] { form.PDOTimer_Timer(); });
        form.PDOTimer_Timer();
    }
    EXPECT_EQ(frames(), 27u) << "inside a running tick: one tick's nine writes and nine reads";
    EXPECT_EQ(form.PDOStrip->trace(8).size(), 1u);

    clearJournal();
    brisendal::FrameScope frame;
    form.PDOTimer_Timer();
    EXPECT_EQ(traffic(), "") << "while a frame is marked";
    EXPECT_EQ(form.PDOStrip->trace(8).size(), 1u) << "nothing plotted";
}

TEST_F(ProbesChartTest, TheCheckBoxRunsTheChartAndCloseOnlyHidesTheWindow) {
    ProbesFrm& form = windows().show<ProbesFrm>();
    EXPECT_EQ(form.PDOTimer->interval(), 100);
    form.OnOffCHK->click();
    EXPECT_TRUE(form.PDOTimer->isActive());
    form.CloseCMD->click();
    EXPECT_FALSE(form.isVisible());
    clearJournal();
    QElapsedTimer waited;
    waited.start();
    while (form.PDOStrip->trace(0).size() < 2 && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(form.PDOStrip->trace(0).size(), 2u) << "hidden, the chart keeps sampling";
    form.OnOffCHK->click();
    EXPECT_FALSE(form.PDOTimer->isActive());

    form.OnOffCHK->click();
    windows().frameOf(&form)->close();
    processEvents();
    EXPECT_EQ(windows().find<ProbesFrm>(), nullptr) << "closing from the frame unloads it";
    ProbesFrm& again = windows().load<ProbesFrm>();
    EXPECT_FALSE(again.OnOffCHK->isChecked());
    EXPECT_FALSE(again.PDOTimer->isActive());
}

// The chart beside another client polling the chip every 10 ms, both on real
// timers, with every bus edge yielding to the event loop: no frame starts
// inside another and no transfer fails. VSQ_BOARD_SOAK_SECONDS sets the run
// (default 1.5 s).
TEST_F(ProbesChartTest, BesideAnotherPollingClientNoFrameCutsIntoAnother) {
    const char* configured = std::getenv("VSQ_BOARD_SOAK_SECONDS");
    const double seconds = configured ? std::atof(configured) : 1.5;
    setInputs();
    ProbesFrm& form = windows().show<ProbesFrm>();
    installQtYieldHook();
    protocol().setDelay(1.0f);
    protocol().setRelativeDelayOn(true);
    int failures = 0;
    auto counting = protocol().SMBusProtocallError().subscribe(
        [&](std::int16_t, const std::string&) { ++failures; });

    int polls = 0;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (brisendal::busState().frameInProgress())
            return;
        ReadRegister(0x94);
        ++polls;
    });
    poll.start();
    clearJournal();
    form.OnOffCHK->click();
    QElapsedTimer ran;
    ran.start();
    while (ran.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    form.OnOffCHK->click();
    poll.stop();

    const std::size_t samples = form.PDOStrip->trace(8).size();
    EXPECT_GE(samples, 2u);
    EXPECT_GE(polls, 2);
    EXPECT_EQ(interleavedFrames(), 0);
    EXPECT_EQ(failures, 0);
    for (std::size_t i = 0; i < samples; ++i)
        EXPECT_DOUBLE_EQ(form.PDOStrip->trace(8).at(i), 5.49462890625) << i;
    counting.unsubscribe();
}

} // namespace
} // namespace trelvane
