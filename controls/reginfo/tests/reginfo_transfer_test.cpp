// The panel's requests carried out by a real manager on the simulated board,
// checked on the journal.

#include "controls/reginfo/tests/reginfo_fixture.h"

#include "controls/display/strip.h"
#include "sim/simulated_pc.h"

#include <QTimer>
#include <QTimerEvent>
#include <QToolButton>

#include <memory>
#include <vector>

using mirelda::QVSRegInfo;

namespace {

constexpr std::uint32_t kBlue = 0xC00000;
constexpr std::uint32_t kRed = 0x0000C0;

} // namespace

TEST_F(RegInfoBoard, ADigitClickWritesTheBitReadsItBackAndColoursTheDigit) {
    const struct {
        std::uint8_t address;
        const char* traffic;
        std::uint32_t clicked; // bit3 and Bit3LBL after the read-back
        const char* shown;
    } cases[] = {
        // A writable register confirms the bit.
        {0x10, "S A8+ 10+ 08+ P S A8+ 10+ P S A9+ 08- P", kBlue, "00001000"},
        // A read-only one keeps its value: the bit is not confirmed.
        {0xD8, "S A8+ D8+ 08+ P S A8+ D8+ P S A9+ 00- P", kRed, "00000000"},
    };
    for (const auto& c : cases) {
        readChipRegister(c.address, 0x00);
        click("bit3");
        EXPECT_EQ(traffic(), c.traffic) << int(c.address);
        EXPECT_EQ(digit("bit3").ForeColor(), c.clicked);
        EXPECT_EQ(digit("Bit3LBL").ForeColor(), c.clicked);
        EXPECT_EQ(digit("bit2").ForeColor(), kBlue);
        EXPECT_EQ(digits(false), c.shown);
        EXPECT_FALSE(panel.busy());
    }
}

// A click on a read-only digit, and a press on a writable one released just
// outside it, are no clicks: nothing is written or toggled.
TEST_F(RegInfoBoard, AReadOnlyDigitOrAPressReleasedOutsideWritesNothing) {
    selectRegister(0xA8, 0x10);
    panel.dispatchPut(0x68030016, 0xF0);
    journal().clear();
    click("bit5");
    mirelda::BitDigit& writable = digit("bit1");
    QTest::mousePress(&writable, Qt::LeftButton);
    QTest::mouseRelease(&writable, Qt::LeftButton, {}, {writable.width(), writable.height() / 2});
    settle();
    EXPECT_EQ(traffic(), "");
    EXPECT_EQ(digits(false), "00000000");
}

TEST_F(RegInfoBoard, AMaskedWordEntryKeepsTheReadOnlyBitsOfTheLastValue) {
    pc().board(1)->dacU5().setWord(0, 0x2155);
    selectRegister(0x18, 0x21, 1, 0xFC00);
    ASSERT_EQ(panel.RWValue(), 0x2155);
    journal().clear();
    enter("HexValueTXT", "FFFF");
    EXPECT_EQ(traffic(), "S 18+ 21+ 23+ FF+ P S 18+ 21+ P S 19+ 23+ FF- P");
    EXPECT_EQ(pc().board(1)->dacU5().word(0), 0x23FF);
    EXPECT_EQ(box("DecValueTXT").Text(), "9215");
    EXPECT_EQ(box("HexValueTXT").Text(), "23FF");
    EXPECT_EQ(digits(true), "0010001111111111");
    EXPECT_EQ(box("DecValueTXT").indicatorColor(), quiltane::QVSTXT::kIndicatorGreen);
}

TEST_F(RegInfoBoard, AValueEntryColoursEachDigitByItsReadBackBit) {
    readChipRegister(0xD8, 0x25); // read-only: the write is ignored
    enter("DecValueTXT", "165");
    EXPECT_EQ(traffic(), "S A8+ D8+ A5+ P S A8+ D8+ P S A9+ 25- P");
    for (int bit = 0; bit < 8; ++bit) {
        EXPECT_EQ(digit(QStringLiteral("bit%1").arg(bit)).ForeColor(), bit == 7 ? kRed : kBlue);
    }
    EXPECT_EQ(digits(false), "00100101");
    EXPECT_EQ(box("HexValueTXT").Text(), "A5"); // what was asked for
}

// Each tick reads once and charts the value. The running timer takes each
// interval set or loaded (-1: it does not run); stopping stops it.
TEST_F(RegInfoBoard, EachAutoReadTickReadsOnceAndChartsTheValue) {
    readChipRegister(0x10, 0x3C);
    auto& timer = *panel.findChild<QTimer*>("RegisterListTimer");
    const auto running = [&] { return timer.isActive() ? timer.interval() : -1; };
    panel.setAutoRead(true);
    panel.setAutoReadTimerInterval(60000); // the ticks below are the only ones
    EXPECT_EQ(running(), 60000);
    for (int tick = 0; tick < 3; ++tick) {
        QTimerEvent event(timer.timerId());
        QCoreApplication::sendEvent(&timer, &event);
        settle();
    }
    EXPECT_EQ(traffic(), "S A8+ 10+ P S A9+ 3C- P S A8+ 10+ P S A9+ 3C- P S A8+ 10+ P S A9+ 3C- P");
    const auto& chart = static_cast<vsq::display::Strip&>(panel.sideStrip()).trace(0);
    ASSERT_EQ(chart.size(), 3u);
    EXPECT_EQ(chart.newest(), 0x3C);

    vsq::controls::PropertyBag bag;
    bag.append("AutoReadTimerInterval", 40);
    panel.readProperties(bag);
    EXPECT_EQ(running(), 40);
    panel.setAutoReadTimerInterval(-5);
    EXPECT_EQ(running(), -1);
    EXPECT_EQ(panel.AutoReadTimerInterval(), 0);
    panel.setAutoReadTimerInterval(7);
    EXPECT_EQ(running(), 7);
    panel.setAutoRead(false);
    EXPECT_EQ(running(), -1);
    EXPECT_TRUE(panel.findChild<QToolButton*>("PlayOption")->isEnabled());
}

// The panel's own requests are heard: a manager that ticks slowly, having
// found nothing for a while, is at its full rate as each of them is raised.
TEST_F(RegInfoBoard, APanelsOwnRequestBringsAnIdleManagerBackToItsFullRate) {
    readChipRegister(0x10, 0x3C);
    for (int pass = 0; pass < 20 && manager.pollIntervalMs() != 10; ++pass) {
        tick();
    }
    ASSERT_EQ(manager.pollIntervalMs(), 10);
    std::vector<int> intervalsAtRequests;
    QObject::connect(&host, &vsq::controls::ControlHost::propertyChanged, &window,
                     [&](vsq::controls::Control*, const QString& name) {
                         if (name == QLatin1String("Flag") && panel.Flag()) {
                             intervalsAtRequests.push_back(manager.pollIntervalMs());
                         }
                     });
    click("bit0"); // the write, then its read-back
    EXPECT_EQ(intervalsAtRequests, (std::vector<int>{1, 1}));
    EXPECT_EQ(traffic(), "S A8+ 10+ 3D+ P S A8+ 10+ P S A9+ 3D- P");
}

// ---- Requests that are not served, overlap or outlive the panel ----

// A panel on a window of its own, whose master `master` nobody there answers to.
struct LonePanel {
    explicit LonePanel(const QString& master) {
        host.add(alone, "QVSRegInfo1");
        host.placeNew();
        alone.setMaster(master);
        window.show();
    }
    QWidget window;
    vsq::controls::ControlHost host{window};
    QVSRegInfo alone{&window};
};

// A caller's writes in the first wait are kept through each time-out.
TEST_F(RegInfoBoard, AnUnservedRequestIsWithdrawnAfterItsTimeOut) {
    LonePanel lone(QStringLiteral("QVSManager1")); // no such manager on its window
    QVSRegInfo& alone = lone.alone;
    callerWritesInFirstWait(alone);
    alone.dispatchPut(0x68030018, true); // the host's read, waited for first
    const double start = time_.clock().seconds();
    QTest::mouseClick(alone.findChild<mirelda::BitDigit*>("bit3"), Qt::LeftButton);
    settle();
    const double waited = time_.clock().seconds() - start;
    EXPECT_GE(waited, 10.0); // the host's read, then the bit's write
    EXPECT_LT(waited, 10.1);
    EXPECT_FALSE(alone.busy());
    EXPECT_FALSE(alone.Flag()); // no manager may carry it out later
    EXPECT_EQ(alone.findChild<mirelda::BitDigit*>("bit3")->ForeColor(), kRed);
    EXPECT_EQ(alone.RWValue(), 0x55);
    EXPECT_EQ(alone.RegisterDetails(), "held");
    EXPECT_EQ(traffic(), "");
}

TEST_F(RegInfoBoard, AnUnservedHostRequestIsWithdrawnSoAutoReadGoesOn) {
    LonePanel lone(QStringLiteral("None"));
    QVSRegInfo& alone = lone.alone;
    alone.dispatchPut(0x68030018, true); // the host's read: nobody serves it
    alone.setAutoRead(true);
    QTest::qWait(5);
    EXPECT_TRUE(alone.Flag()); // not yet given up: ticks are dropped meanwhile
    time_.clock().advance(5.0);
    callerWritesInFirstWait(alone);
    const double start = time_.clock().seconds();
    for (int pass = 0; pass < 100 && time_.clock().seconds() == start; ++pass) {
        QTest::qWait(1);
    }
    alone.setAutoRead(false);
    EXPECT_GE(time_.clock().seconds() - start, 5.0); // a tick's own read waited
    EXPECT_FALSE(alone.Flag());
    EXPECT_EQ(alone.RWValue(), 0x55);
    EXPECT_EQ(alone.RegisterDetails(), "held");
}

TEST_F(RegInfoBoard, InputDuringASequenceWaitsItsTurn) {
    readChipRegister(0x10, 0x00);
    atFirstWait(panel, [this] { QTest::mouseClick(&digit("bit5"), Qt::LeftButton); });
    click("bit3");
    EXPECT_EQ(traffic(), "S A8+ 10+ 08+ P S A8+ 10+ P S A9+ 08- P "
                         "S A8+ 10+ 28+ P S A8+ 10+ P S A9+ 28- P");
    EXPECT_EQ(digit("bit3").ForeColor(), kBlue);
    EXPECT_EQ(digit("bit5").ForeColor(), kBlue);
}

TEST_F(RegInfoBoard, AHostRequestDuringAPendingWriteFollowsIt) {
    pc().chip().setRegisterValue(0x11, 0x77);
    readChipRegister(0x10, 0x00);
    atFirstWait(panel, [this] { selectRegister(0xA8, 0x11); });
    click("bit3");
    tick(); // the host's request, held until the write was verified
    EXPECT_EQ(traffic(), "S A8+ 10+ 08+ P S A8+ 10+ P S A9+ 08- P S A8+ 11+ P S A9+ 77- P");
    EXPECT_EQ(pc().chip().registerValue(0x10), 0x08);
    EXPECT_EQ(caption("AddressPointerLbl"), "11");
    EXPECT_EQ(digits(false), "01110111");
}

// A caller's RWValue arriving while the panel's own write or read-back waits,
// between the two, or after the read-back was served while the sequence still
// runs, is kept for after the sequence: the pending write still sends the
// clicked value, and the read-back does not swallow the caller's value, even
// when it fails on the bus (yielding 0).
TEST_F(RegInfoBoard, ACallersValueDuringAPendingRequestFollowsTheSequence) {
    const struct {
        int stopAfterYield; // polling off from this yield (0: from the start, -1: never)
        int callerYield;    // the caller writes RWValue and polling resumes
        bool busFails;
    } rows[] = {
        {0, 1, false},  // the write pending
        {1, 2, false},  // the read-back pending
        {1, 2, true},   // the read-back pending, and it fails
        {-1, 1, false}, // the write served, the read-back not yet raised
        {-1, 2, false}, // the read-back served, the sequence not yet ended
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.callerYield << row.busFails);
        readChipRegister(0x10, 0x00);
        yields = 0;
        manager.setEnabled(row.stopAfterYield != 0);
        onYield = [&](int count) {
            if (count == row.stopAfterYield) {
                manager.setEnabled(false);
            }
            if (count == row.callerYield) {
                panel.dispatchPut(0x6803001B, 0x55);
                pc().holdSdaLow(1, row.busFails);
                manager.setEnabled(true);
            }
        };
        click("bit3");
        onYield = nullptr;
        pc().holdSdaLow(1, false);
        if (!row.busFails) {
            EXPECT_EQ(traffic(), "S A8+ 10+ 08+ P S A8+ 10+ P S A9+ 08- P");
        }
        EXPECT_EQ(digit("bit3").ForeColor(), row.busFails ? kRed : kBlue);
        EXPECT_EQ(panel.RWValue(), 0x55);
        EXPECT_FALSE(panel.busy());
    }
}

TEST_F(RegInfoBoard, APanelDestroyedWhileItWaitsEndsItsSequence) {
    QWidget otherWindow;
    vsq::controls::ControlHost otherHost(otherWindow);
    auto doomed = std::make_unique<QVSRegInfo>(&otherWindow);
    otherHost.add(*doomed, "QVSRegInfo1");
    otherHost.placeNew();
    otherWindow.show();
    onYield = [&](int count) {
        if (count == 3) {
            doomed.reset();
        }
    };
    QTest::mouseClick(doomed->findChild<mirelda::BitDigit*>("bit0"), Qt::LeftButton);
    settle();
    EXPECT_EQ(doomed, nullptr);
    EXPECT_LT(yields, 10);
}

TEST_F(RegInfoBoard, QuittingWhileAPanelWaitsEndsTheWaitAtOnce) {
    manager.setEnabled(false);
    manager.readProperties({}); // polling off: nothing serves the panel
    onYield = [&](int count) {
        if (count == 2) {
            vsq::platform::requestQuit();
        }
    };
    click("bit0");
    EXPECT_LT(yields, 5);
    EXPECT_FALSE(panel.busy());
    EXPECT_FALSE(panel.Flag());
}

// In logic mode each bit has its level on the chart.
TEST_F(RegInfoBoard, AHostReadShowsTheValueInDigitsCaptionAndChart) {
    pc().chip().setRegisterValue(0x10, 0xA5);
    panel.setGraphLogic(true);
    panel.setAutoRead(true);
    selectRegister(0xA8, 0x10);
    panel.setAutoRead(false);
    EXPECT_EQ(traffic(), "S A8+ 10+ P S A9+ A5- P");
    EXPECT_FALSE(panel.Flag());
    EXPECT_EQ(digits(false), "10100101");
    EXPECT_EQ(caption("HexDECLBL"), "Value:165d,A5h");
    EXPECT_EQ(caption("AddressPointerLbl"), "10");
    auto& strip = static_cast<vsq::display::Strip&>(panel.sideStrip());
    EXPECT_EQ(strip.TraceCount(), 8);
    const double levels[] = {0.9, 1.1, 2.9, 3.1, 4.1, 5.9, 6.1, 7.9}; // traces 0..7
    for (int trace = 0; trace < 8; ++trace) {
        ASSERT_EQ(strip.trace(trace).size(), 1u) << trace;
        EXPECT_DOUBLE_EQ(strip.trace(trace).newest(), levels[trace]) << trace;
    }
    panel.setAddressPointer(0x10); // a new address starts an empty chart
    EXPECT_TRUE(strip.trace(7).empty());
}
