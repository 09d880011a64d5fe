// Halvicor's exports on the simulated PC: configuration words, the scan and base
// on each south-bridge profile, byte-data transfers on both controller families,
// and the bounded status wait.

#include "smbushost/halvicor.h"
#include "smbushost/host_controller_registers.h"
#include "smbushost/status_wait.h"
#include "smbushost/tests/chipset_on_sim.h"

#include "platform/services.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

using namespace vsq;
using sim::kChipsetBus;
using testsupport::PortAccess;
using testsupport::PortTrace;

namespace {

constexpr std::int32_t kIntel = 1;
constexpr std::int32_t kAli = 2;
constexpr std::int32_t kChip = 0x54; // the board's VSQ5540 as a 7-bit address

// A south bridge with its controller's type and base, once readyController() made it ready.
struct Controller {
    sim::SouthBridge bridge;
    std::int32_t type;
    std::int32_t base;
};
constexpr Controller kControllers[] = {{sim::SouthBridge::Piix4, kIntel, 0x5000},
                                       {sim::SouthBridge::Ich, kIntel, 0x0400},
                                       {sim::SouthBridge::Ali, kAli, 0xE800}};

static_assert(*halvicor::intelIoBase(0x5001) == 0x5000);
static_assert(!halvicor::intelIoBase(0x5000), "a memory base is not an I/O base");
static_assert(!halvicor::intelIoBase(0x0001), "base 0 would reach the DMA controller");

// A millisecond clock that moves on by one at every reading, since the waits
// poll without yielding.
class SteppingClock : public platform::Clock {
public:
    double seconds() override { return static_cast<double>(now_) / 1000.0; }
    std::int64_t milliseconds() override { return now_++; }
    void advance(std::int64_t milliseconds) { now_ += milliseconds; }

private:
    std::int64_t now_ = 0;
};

class HalvicorOnSim : public testsupport::ChipsetOnSim {
protected:
    // Turns the ALi controller on as a BIOS would: Halvicor computes no ALi base.
    void enableAli() {
        pc().pci().writeConfig(0, 17, 0, 0xD0, config(17, 0, 0xD0) | 0x400);
        pc().pci().writeConfig(0, 17, 0, 0xF0, config(17, 0, 0xF0) | 0x1);
        trace.accesses.clear();
    }
    // Powers up on `bridge`, otherwise as `config` says, with its controller
    // ready to transfer (the ALi one enabled, the Intel one given its base) and
    // 0x5A in chip register 0x10.
    void readyController(const Controller& c, const sim::SimConfig& config = {}) {
        powerUp(c.bridge, config);
        if (c.type == kAli)
            enableAli();
        else
            GetSMBBA();
        pc().chip(kChipsetBus).setRegisterValue(0x10, 0x5A);
    }
};

} // namespace

TEST_F(HalvicorOnSim, ConfigurationAddressWordKeepsTheReservedBitsAndTheRegisterAsGiven) {
    pc().pci().writeAddress(0x7E000003);
    EXPECT_EQ(static_cast<std::uint32_t>(ReadPCI(0, 7, 3, 0)), 0x71138086u);
    // Written: the enable bit, bits 30-24 as they were, device 7, function 3, register 0.
    EXPECT_EQ(trace.accesses, (std::vector<PortAccess>{{PortAccess::In32, 0xCF8, 0x7E000003},
                                                       {PortAccess::Out32, 0xCF8, 0xFE003B00},
                                                       {PortAccess::In32, 0xCFC, 0x71138086}}));

    trace.accesses.clear();
    EXPECT_EQ(static_cast<std::uint32_t>(ReadPCI(0, 7, 3, 0xD2)), config(7, 3, 0xD0));
    EXPECT_EQ(trace.accesses[1].value & 0xFF, 0xD2u);

    // The previous word's low bits (0xD2) do not move the next register.
    EXPECT_EQ(ReadPCI(0, 7, 3, 0x90), 0x5001);
    WritePCI(0, 7, 3, 0x40, 0x1234);
    EXPECT_EQ(config(7, 3, 0x40), 0x1234u);

    // Every field at its largest but the bus, each in its own bits.
    trace.accesses.clear();
    EXPECT_EQ(ReadPCI(1, 31, 7, 0xFC), -1) << "nothing on bus 1";
    EXPECT_EQ(trace.accesses[1], (PortAccess{PortAccess::Out32, 0xCF8, 0xFE01FFFC}));
}

// Every ICH identifier is an Intel controller, and no other identifier is; a
// base register holding base 0 is not used.
TEST_F(HalvicorOnSim, ScanAndBaseOnEverySouthBridge) {
    using enum sim::SouthBridge;
    struct Case {
        sim::SouthBridge bridge;
        std::int32_t type;
        std::int32_t base;
        int device;
        std::uint8_t hostConfig; // 0: nothing to enable
        std::uint32_t id = 0;    // 0: the profile's own
        bool baseZero = false;
    };
    const Case cases[] = {
        {Piix4, kIntel, 0x5000, 7, 0xD0},
        {Ich, kIntel, 0x0400, 31, 0x40},
        {Ali, kAli, 0, 7, 0},
        {None, 0, 0xFFFF, 0, 0},
        {Piix4, kIntel, 0xFFFF, 7, 0, 0, true},
        {Ich, kIntel, 0x0400, 31, 0x40, 0x24188086},
        {Ich, kIntel, 0x0400, 31, 0x40, 0x24288086},
        {Ich, kIntel, 0x0400, 31, 0x40, 0x24138086},
        {Ich, kIntel, 0x0400, 31, 0x40, 0x24238086},
        {Ich, kIntel, 0x0400, 31, 0x40, 0x24458086},
        {Ich, 0, 0xFFFF, 0, 0, 0x24448086},
        {Ich, 0, 0xFFFF, 0, 0, 0x24188087},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.bridge) << " " << c.id);
        sim::SimConfig simConfig;
        simConfig.smbusIdentifier = c.id;
        powerUp(c.bridge, simConfig);
        if (c.baseZero)
            pc().pci().writeConfig(0, 7, 3, 0x90, 0);

        EXPECT_EQ(SouthBridgeType(), c.type);
        // The scan reads function 3 of devices 0 to 31 on bus 0 and ends there.
        EXPECT_EQ(trace.count(PortAccess::In32, 0xCFC), c.type ? c.device + 1u : 32u);

        trace.accesses.clear();
        EXPECT_EQ(GetSMBBA(), c.base);
        if (c.hostConfig != 0)
            EXPECT_EQ(config(c.device, 3, c.hostConfig) & 0x10000, 0x10000u);
        else
            EXPECT_EQ(trace.count(PortAccess::Out32, 0xCFC), 0u) << "no register written";
    }
}

TEST_F(HalvicorOnSim, IntelByteDataTransfers) {
    const std::int32_t base = GetSMBBA();
    trace.accesses.clear();

    WriteSMB(base, kIntel, kChip, 0x10, 0x5A);
    EXPECT_EQ(trace.byteWrites(), "5006:00 5005:5A 5003:10 5004:A8 5000:1F 5002:48");
    // Straight after a write, a write, a probe and a read each wait until the
    // controller has finished (a start while busy is lost).
    WriteSMB(base, kIntel, kChip, 0x11, 0xA5);
    EXPECT_EQ(DevFound(base, kIntel, kChip), 1);
    EXPECT_EQ(ReadSMB(base, kIntel, kChip, 0x10), 0x5A);
    EXPECT_EQ(pc().chip(kChipsetBus).registerValue(0x10), 0x5A);
    EXPECT_EQ(pc().journal().text(kChipsetBus),
              "S A8+ 10+ 5A+ P S A8+ 11+ A5+ P S A8+ 00+ Sr A9+ 00- P S A8+ 10+ Sr A9+ 5A- P");

    pc().chip(kChipsetBus).setRegisterValue(0x11, 0x80);
    EXPECT_EQ(ReadSMB(base, kIntel, kChip, 0x11), -128) << "data bytes come sign-extended";
    WriteByBase(base + 3, 0x80);
    EXPECT_EQ(ReadByBase(base + 3), -128);
    trace.accesses.clear();
    EXPECT_EQ(ReadSMB(base, kIntel, kChip, 0x10), 0x5A);
    EXPECT_EQ(DevFound(base, kIntel, kChip), 1);
    EXPECT_EQ(trace.byteWrites(),
              "5006:00 5005:00 5003:10 5004:A9 5000:1F 5002:48 "  // the read
              "5006:00 5005:00 5003:00 5004:A9 5000:1F 5002:48"); // the probe: command 0

    // An address of 0xA8 loses its top bit: 0x51 and 0x50.
    WriteSMB(base, kIntel, 0xA8, 0x10, 0);
    EXPECT_EQ(ReadByBase(base + 4), 0x50);
}

TEST_F(HalvicorOnSim, AliByteDataTransfersUseCommandAtSevenAndDataAtFour) {
    powerUp(sim::SouthBridge::Ali);
    enableAli();

    WriteSMB(0xE800, kAli, kChip, 0x10, 0x5A);
    EXPECT_EQ(trace.byteWrites(), "E803:A8 E807:10 E804:5A E801:20 E802:FF");
    trace.accesses.clear();
    EXPECT_EQ(ReadSMB(0xE800, kAli, kChip, 0x10), 0x5A);
    EXPECT_EQ(pc().journal().text(kChipsetBus), "S A8+ 10+ 5A+ P S A8+ 10+ Sr A9+ 5A- P");
    EXPECT_EQ(DevFound(0xE800, kAli, kChip), 1);
    EXPECT_EQ(trace.byteWrites(),
              "E803:A9 E807:10 E801:20 E802:FF E803:A9 E807:00 E801:20 E802:FF");
}

// The data register still holds 0x5A from the read before: a failed read must not return it.
TEST_F(HalvicorOnSim, AnAbsentDeviceAndEveryErrorStatusFailTheProbeAndTheRead) {
    using O = sim::ChipsetOutcome;
    for (const Controller& c : kControllers) {
        SCOPED_TRACE(static_cast<int>(c.bridge));
        readyController(c);
        for (O outcome : {O::DeviceError, O::BusError, O::Failed}) {
            SCOPED_TRACE(static_cast<int>(outcome));
            ASSERT_EQ(ReadSMB(c.base, c.type, kChip, 0x10), 0x5A);
            pc().failChipsetTransfers(outcome, 1);
            EXPECT_EQ(ReadSMB(c.base, c.type, kChip, 0x10), 0);
            pc().failChipsetTransfers(outcome, 1);
            EXPECT_EQ(DevFound(c.base, c.type, kChip), 0);
            EXPECT_EQ(DevFound(c.base, c.type, kChip), 1);
        }
        ASSERT_EQ(ReadSMB(c.base, c.type, kChip, 0x10), 0x5A);
        pc().setDevicePresent(kChipsetBus, 0xA8, false);
        EXPECT_EQ(DevFound(c.base, c.type, kChip), 0);
        EXPECT_EQ(ReadSMB(c.base, c.type, kChip, 0x10), 0);
    }
}

TEST_F(HalvicorOnSim, UnknownControllerTypesTouchNoPort) {
    for (std::int32_t type : {0, 3}) {
        EXPECT_EQ(ReadSMB(0x5000, type, kChip, 0x10), 0);
        WriteSMB(0x5000, type, kChip, 0x10, 0x5A);
        EXPECT_EQ(DevFound(0x5000, type, kChip), 0);
    }
    EXPECT_TRUE(trace.accesses.empty());
}

TEST_F(HalvicorOnSim, StatusWaitIsBoundedOnTheMonotonicMillisecondClock) {
    sim::SimConfig simConfig;
    simConfig.hostBusyReads = 1'000'000; // a controller that never finishes
    powerUp(sim::SouthBridge::Piix4, simConfig);
    const std::int32_t base = GetSMBBA();
    auto clock = std::make_shared<SteppingClock>();
    auto previous = platform::setClock(clock);

    trace.accesses.clear();
    const std::int64_t start = platform::millisecondsNow();
    EXPECT_EQ(ReadSMB(base, kIntel, kChip, 0x10), 0) << "a read that timed out gives 0";
    const std::int64_t spent = platform::millisecondsNow() - start;
    EXPECT_GE(spent, 100) << "the wait lasts 100 ms";
    EXPECT_LE(spent, 105);
    // One status reading before the start, then one at each clock reading up to
    // the first past entry + 100 ms.
    EXPECT_EQ(trace.count(PortAccess::In8, 0x5000), 1u + 101u);
    // The idle controller let the read start after one status reading.
    EXPECT_EQ(trace.accesses[0], (PortAccess{PortAccess::In8, 0x5000, 0}));
    EXPECT_EQ(trace.accesses[1].kind, PortAccess::Out8);

    trace.accesses.clear();
    platform::requestQuit();
    DevFound(base, kIntel, kChip);
    EXPECT_LE(trace.count(PortAccess::In8, 0x5000), 3u) << "the program's end ends a wait";
    platform::clearQuitRequest();

    // A stuck ALi status (0x00) shows no error bit: the time-out alone says absent.
    powerUp(sim::SouthBridge::Ali, simConfig);
    enableAli();
    EXPECT_EQ(DevFound(0xE800, kAli, kChip), 0);
    WriteByBase(0xE804, 0x5A); // a read that timed out ignores what the data register holds
    EXPECT_EQ(ReadSMB(0xE800, kAli, kChip, 0x10), 0);

    // Status readings that each take longer than the whole wait (a preempted
    // thread, a loaded machine): a transfer that finished during a reading
    // begun in time is taken; only a reading begun past the deadline that still
    // shows busy gives up, after the one begun in time.
    trace.onAccess = [&](const PortAccess& a) {
        if (a.kind == PortAccess::In8 && a.port == 0x5000)
            clock->advance(150);
    };
    for (const int busyReads : {1, 1'000'000}) {
        simConfig.hostBusyReads = busyReads;
        readyController(kControllers[0], simConfig);
        const bool finishes = busyReads == 1;
        EXPECT_EQ(ReadSMB(base, kIntel, kChip, 0x10), finishes ? 0x5A : 0) << busyReads;
        EXPECT_EQ(trace.count(PortAccess::In8, 0x5000), 3u) << busyReads;
        EXPECT_EQ(DevFound(base, kIntel, kChip), finishes ? 1 : 0) << busyReads;
    }
    platform::setClock(previous);
}

TEST_F(HalvicorOnSim, RefusedPortAccessGivesTheAnswersOfAbsentHardware) {
    PortTrace refused(false);
    EXPECT_EQ(ReadPCI(0, 7, 3, 0), -1);
    EXPECT_EQ(SouthBridgeType(), 0);
    EXPECT_EQ(GetSMBBA(), 0xFFFF);
    EXPECT_EQ(ReadByBase(0x5000), -1);
    EXPECT_EQ(ReadSMB(0x5000, kIntel, kChip, 0x10), 0);
    EXPECT_EQ(DevFound(0x5000, kIntel, kChip), 0);
    EXPECT_NO_THROW(WriteSMB(0x5000, kIntel, kChip, 0x10, 0x5A));
    EXPECT_NO_THROW(WritePCI(0, 7, 3, 0xD0, 0));
}
