// The driver-output chart: one tick's transfers and volts, the ticks skipped
// so the chart never cuts into a frame, its life while the window hides.

#include "app/board/tests/board_window_test.h"
#include "controls/common/qt_yield.h"
#include "controls/display/strip.h"
#include "controls/reginfo/tests/managed_panel.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <utility>

namespace trelvane {
namespace {

class ProbesChartTest : public testing::BoardWindowTest {
protected:
    void SetUp() override {
        BoardWindowTest::SetUp();
        // PDO 9 to PDO 1, a different code on each: 1023, 512 ... 64, then 1023 ... 32.
        const double volts[9] = {5.5, 2.75, 1.375, 0.6875, 0.34375, 15.0, 7.5, 3.75, 0.46875};
        for (int k = 0; k < 9; ++k)
            pc().setAdcInputVoltage(1, static_cast<std::uint8_t>(0x50 + k / 4 * 2), k % 4 + 1,
                                    volts[k]);
    }
    // Runs `call` from the n-th yield of whatever runs next, while `work` runs.
    static void callFromYield(int n, const std::function<void()>& call,
                              const std::function<void()>& work) {
        int yields = 0;
        auto previous = vsq::platform::setYieldHook([&](vsq::platform::YieldMode) {
            if (++yields == n)
                call();
        });
        work();
        vsq::platform::setYieldHook(previous);
    }
    static void runEvents(
        int ms, const std::function<bool()>& done = [] { return false; }) {
        QElapsedTimer ran;
        ran.start();
        while (ran.elapsed() < ms && !done())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
};

TEST_F(ProbesChartTest, ATickReadsTheNineOutputsInOrderAndPlotsThemInVolts) {
    ProbesFrm& form = load();
    clearJournal();
    form.PDOTimer_Timer();
    const char* rows[][3] = {
        {"50", "20", "FF+ C0"}, {"50", "40", "80+ 00"}, {"50", "60", "40+ 00"},
        {"50", "80", "20+ 00"}, {"52", "20", "10+ 00"}, {"52", "40", "FF+ C0"},
        {"52", "60", "80+ 00"}, {"52", "80", "40+ 00"}, {"54", "20", "08+ 00"}};
    QStringList expected;
    for (const auto& row : rows)
        expected << QString("S %1+ 01+ %2+ P S %1+ 04+ P S %3+ %4- P")
                        .arg(row[0], row[1],
                             QString::number(QString(row[0]).toInt(nullptr, 16) + 1, 16).toUpper(),
                             row[2]);
    EXPECT_EQ(traffic(), expected.join(' ').toStdString());
    const double volts[9] = {0.46875, 3.75,  7.5,  14.9853515625, 0.34375,
                             0.6875,  1.375, 2.75, 5.49462890625};
    for (int trace = 0; trace < 9; ++trace) {
        ASSERT_EQ(form.PDOStrip->trace(trace).size(), 1u);
        EXPECT_DOUBLE_EQ(form.PDOStrip->trace(trace).newest(), volts[trace]) << trace;
    }
    form.PDOStrip->setLegendIndex(8);
    EXPECT_EQ(form.PDOStrip->LegendText(), "PDO 9");
}

TEST_F(ProbesChartTest, ATickThatWouldCutIntoAFrameIsSkipped) {
    ProbesFrm& form = load();
    const auto tick = [&] { form.PDOTimer_Timer(); };
    protocol().setDelay(1.0f);
    protocol().setRelativeDelayOn(true); // every edge of a frame yields
    clearJournal();
    callFromYield(10, tick, [] { WriteRegister(0x10, 0x5A); });
    EXPECT_EQ(traffic(), "S A8+ 10+ 5A+ P") << "inside another client's frame";
    EXPECT_EQ(form.PDOStrip->trace(8).size(), 0u);

    clearJournal();
    callFromYield(10, tick, tick);
    EXPECT_EQ(pc().journal().count(1, vsq::sim::EventKind::Start), 27u) << "inside a tick";
    EXPECT_EQ(form.PDOStrip->trace(8).size(), 1u);
}

TEST_F(ProbesChartTest, TheCheckBoxRunsTheChartAndCloseOnlyHidesTheWindow) {
    ProbesFrm& form = windows().show<ProbesFrm>();
    form.OnOffCHK->click();
    EXPECT_EQ(form.PDOTimer->interval(), 100);
    form.CloseCMD->click();
    EXPECT_FALSE(form.isVisible());
    runEvents(5000, [&] { return form.PDOStrip->trace(0).size() >= 2; });
    EXPECT_GE(form.PDOStrip->trace(0).size(), 2u) << "hidden, the chart keeps sampling";

    windows().frameOf(&form)->close();
    processEvents();
    EXPECT_EQ(windows().find<ProbesFrm>(), nullptr) << "closing from the frame unloads it";
    EXPECT_FALSE(load().OnOffCHK->isChecked());
}

// A call that fails inside a tick is shown once: the chart stops and its box
// is cleared with it.
TEST_F(ProbesChartTest, AFailedTickStopsTheChartAndClearsItsBox) {
    ProbesFrm& form = windows().show<ProbesFrm>();
    protocol().setDelay(1.0f);
    protocol().setRelativeDelayOn(true); // the tick's frames yield
    bool failed = false;
    vsq::platform::setYieldHook([&](vsq::platform::YieldMode) {
        if (!std::exchange(failed, true))
            throw std::runtime_error("Port gone");
    });
    form.OnOffCHK->click();
    runEvents(5000, [&] { return failed; });
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_EQ(scripted().messages[0].text, "Port gone");
    EXPECT_FALSE(form.PDOTimer->isActive());
    EXPECT_FALSE(form.OnOffCHK->isChecked());
    form.OnOffCHK->click();
    EXPECT_TRUE(form.PDOTimer->isActive()) << "the box starts it again";
}

// The chart beside a register panel reading the chip on its own timer through
// its manager, all on real timers, every bus edge yielding to the event loop:
// no frame starts inside another, no transfer fails. VSQ_BOARD_SOAK_SECONDS
// sets the run (1.5 s).
TEST_F(ProbesChartTest, BesideThePanelsAutoReadNoFrameCutsIntoAnother) {
    const char* configured = std::getenv("VSQ_BOARD_SOAK_SECONDS");
    ProbesFrm& form = windows().show<ProbesFrm>();
    ManagedPanel registers;
    registers.load();
    registers.window.show();
    mirelda::QVSRegInfo& panel = registers.panel;
    vsq::controls::installQtYieldHook();
    protocol().setDelay(20.0f); // twenty yields per bus edge: long frames
    protocol().setRelativeDelayOn(true);
    int failures = 0;
    auto counting = protocol().SMBusProtocallError().subscribe(
        [&](std::int16_t, const std::string&) { ++failures; });
    panel.dispatchPut(0x68030000, 0xA8); // DeviceAddress
    panel.dispatchPut(0x6803001A, 0x94); // AddressPointer
    panel.setAutoReadTimerInterval(10);
    panel.setAutoRead(true);
    clearJournal();
    form.OnOffCHK->click();
    runEvents(configured ? static_cast<int>(std::atof(configured) * 1000) : 1500);
    // A loaded machine (or a sanitizer build) reads the panel later and, its
    // frames filling the bus, lets fewer chart ticks through: run on until the
    // panel has read, then without the panel until the chart holds two points.
    runEvents(5000, [&] { return traffic().find("S A8+ 94+ P S A9+") != std::string::npos; });
    panel.setAutoRead(false);
    runEvents(5000, [&] { return form.PDOStrip->trace(8).size() >= 2; });
    form.OnOffCHK->click();

    int interleaved = 0;
    bool open = false;
    for (const auto& event : pc().journal().events(1)) {
        if (event.kind == vsq::sim::EventKind::Start)
            interleaved += std::exchange(open, true);
        else if (event.kind == vsq::sim::EventKind::Stop)
            open = false;
    }
    EXPECT_EQ(interleaved, 0);
    EXPECT_EQ(failures, 0);
    EXPECT_NE(traffic().find("S A8+ 94+ P S A9+"), std::string::npos) << "the panel read";
    const auto& pdo9 = form.PDOStrip->trace(8);
    ASSERT_GE(pdo9.size(), 2u);
    for (std::size_t i = 0; i < pdo9.size(); ++i)
        EXPECT_DOUBLE_EQ(pdo9.at(i), 5.49462890625);
    counting.unsubscribe();
}

} // namespace
} // namespace trelvane
