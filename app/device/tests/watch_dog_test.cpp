// The watchdog record's read-modify-writes of 0x91 (edge polarity) and 0x90
// (time-out) on the simulated board.

#include "app/device/watch_dog.h"
#include "simulated_board.h"

using namespace trelvane;
using namespace trelvane::testing;

namespace {

class WatchDogRegisters : public SimulatedBoard {
protected:
    WatchDog watchDog_;
};

} // namespace

TEST_F(WatchDogRegisters, EdgePolarityChangesBitZeroOnly) {
    chip().setRegisterValue(0x91, 0xF0);
    watchDog_.setEdgePolarity(1);
    EXPECT_EQ(bytes(), (Bytes{0xA8, 0x91, 0xA9, 0xF0, 0xA8, 0x91, 0xF1}));
    EXPECT_EQ(watchDog_.EdgePolarity(), 1);

    watchDog_.setEdgePolarity(2); // 2 or more clears the bit
    EXPECT_EQ(chip().registerValue(0x91), 0xF0);
    EXPECT_EQ(watchDog_.EdgePolarity(), 0);
}

TEST_F(WatchDogRegisters, TimeoutCodesKeepTheLowBits) {
    struct Case {
        std::uint8_t before;
        std::int16_t milliseconds;
        std::uint8_t after;
        std::int16_t readBack;
    };
    for (const Case c :
         {Case{0x0A, 3200, 0x5A, 3200}, Case{0x5A, 3000, 0x0A, 0}, Case{0x03, 18000, 0xF3, 18000},
          Case{0xF3, 10000, 0xB3, 10000}, Case{0x47, -200, 0x07, 0}}) {
        chip().setRegisterValue(0x90, c.before);
        journal().clear();
        watchDog_.setTimeout(c.milliseconds);
        // 0x90 is UPDCFG on the chip, whose load bits clear themselves: look at
        // what went over the bus.
        EXPECT_EQ(bytes(), (Bytes{0xA8, 0x90, 0xA9, c.before, 0xA8, 0x90, c.after}))
            << c.milliseconds;
        EXPECT_EQ(watchDog_.Timeout(), c.readBack) << c.milliseconds;
    }
}

TEST_F(WatchDogRegisters, EveryTimeoutCodeReadsAndWritesItsMilliseconds) {
    const std::int16_t milliseconds[16] = {0,    200,  400,  800,   1600,  3200,  4000,  5000,
                                           6000, 7000, 8000, 10000, 12000, 14000, 16000, 18000};
    for (int code = 0; code < 16; ++code) {
        SCOPED_TRACE(code);
        chip().setRegisterValue(0x90, static_cast<std::uint8_t>(code << 4 | 0x02));
        EXPECT_EQ(watchDog_.Timeout(), milliseconds[code]);
        chip().setRegisterValue(0x90, 0xF2);
        journal().clear();
        watchDog_.setTimeout(milliseconds[code]);
        EXPECT_EQ(bytes().back(), code << 4 | 0x02);
    }
}

TEST_F(WatchDogRegisters, NothingIsWrittenWhenTheReadFailed) {
    chip().setRegisterValue(0x90, 0x0A);
    chip().setRegisterValue(0x91, 0xF0);
    failNextTransfer();
    watchDog_.setTimeout(3200);
    failNextTransfer();
    watchDog_.setEdgePolarity(1);
    EXPECT_EQ(journal().count(1, vsq::sim::EventKind::Byte), 0u);
    EXPECT_EQ(chip().registerValue(0x90), 0x0A);
    EXPECT_EQ(chip().registerValue(0x91), 0xF0);
}
