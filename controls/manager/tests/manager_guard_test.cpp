// Ticks that arrive inside another transfer's yields, or inside a running
// tick, start nothing; the real poll timer serves a request on its own.

#include "comms/SMBus.h"
#include "controls/manager/tests/manager_fixture.h"

#include <QElapsedTimer>

#include <functional>

using vsq::controls::PropertyBag;

namespace {

// Delivers a tick from the n-th yield of whatever runs next.
class TickFromYield {
public:
    TickFromYield(int n, std::function<bool()> tick)
        : previous_(vsq::platform::setYieldHook([this, n, tick](vsq::platform::YieldMode) {
              if (++yields_ == n) {
                  delivered_ = tick();
              }
          })) {}
    ~TickFromYield() { vsq::platform::setYieldHook(previous_); }
    bool delivered() const { return delivered_; }

private:
    int yields_ = 0;
    bool delivered_ = false;
    vsq::platform::YieldHook previous_;
};

} // namespace

TEST_F(ManagerTest, ATickInsideTheApplicationsFrameWaitsForTheNextTick) {
    const struct {
        std::uint8_t medium;
        int bus;
        int yield; // the one the tick arrives in
        const char* traffic;
    } rows[] = {
        {0, 1, 10, "S A8+ 10+ 5A+ P S A8+ 94+ P S A9+ 3E- P"},
        {1, vsq::sim::kChipsetBus, 1, "S A8+ 11+ Sr A9+ FE- P S A8+ 94+ Sr A9+ 3E- P"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bus);
        pc().reset();
        startApplication();
        PropertyBag bag;
        bag.append("CommType", QVariant::fromValue<quint8>(row.medium));
        bag.append("SMBusBaseAddress", 20480.0f);
        start(bag);
        brisendal::SMBus chipset;
        protocol_->setDelay(1.0f);
        protocol_->setRelativeDelayOn(true); // every edge of the frame yields
        first.request(0, 0xA8, 0x94, true);
        {
            TickFromYield intrusion(row.yield, [this] { return tick(); });
            if (row.medium == 0) {
                protocol_->PortWrite(0xA8, 0x10, 0x5A);
            } else {
                chipset.PortRead(0x54, 0x11); // its completion wait yields
            }
            ASSERT_TRUE(intrusion.delivered());
        }
        EXPECT_TRUE(first.flag());
        ASSERT_TRUE(tick());
        EXPECT_FALSE(first.flag());
        EXPECT_EQ(first.rwValue(), 0x3E);
        EXPECT_EQ(traffic(row.bus), row.traffic);
        EXPECT_TRUE(heard_.empty());
    }
}

// A host that yields from AboutToWrite lets a tick in; it must not serve the
// panel whose write is under way a second time.
TEST_F(ManagerTest, ATickInsideARunningTickIsSkipped) {
    start();
    int nested = 0;
    QObject::connect(&manager, &orvessa::QVSManager::AboutToWrite, [&] { nested += tick(); });
    first.request(0, 0xA8, 0x10, false, 0x11);
    second.request(0, 0xA8, 0x11, false, 0x22);
    ASSERT_TRUE(tick());
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(traffic(), "S A8+ 10+ 11+ P S A8+ 11+ 22+ P");
    EXPECT_EQ(first.flagWrites, QStringList{"false 17"});
    EXPECT_EQ(second.flagWrites, QStringList{"false 34"});
}

TEST_F(ManagerTest, ThePollTimerServesARequestOnItsOwn) {
    start();
    first.request(0, 0xA8, 0x94, true);
    QElapsedTimer waited;
    waited.start();
    while (first.flag() && waited.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    EXPECT_FALSE(first.flag());
    EXPECT_EQ(first.rwValue(), 0x3E);
    EXPECT_EQ(traffic(), "S A8+ 94+ P S A9+ 3E- P");
}
