// The chipset medium SMBus on the simulated PC: the search on each south-bridge
// profile, the register sequences of both families against the bus journal,
// failed reads, refused port access, the bounded waits and the frame guard.

#include "com_failure.h"
#include "comms/SMBus.h"
#include "comms/halvicor_library.h"
#include "smbushost/host_controller_registers.h"
#include "smbushost/tests/chipset_on_sim.h"

#include "platform/os_version.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

using brisendal::SMBus;
using brisendal::testing::failureOf;
using namespace vsq;
using sim::kChipsetBus;
using testsupport::PortAccess;
using testsupport::PortTrace;

namespace {

constexpr std::int32_t kPiix4 = 0x71138086;
constexpr std::int32_t kAliPower = 0x710110B9;
constexpr std::uint8_t kChip = 0x54; // the board's VSQ5540 as a 7-bit address

// The probe's verdicts on the final status byte.
static_assert(halvicor::intel::present(0x00) && halvicor::intel::present(0x02));
static_assert(!halvicor::intel::present(0x04) && !halvicor::intel::present(0x42) &&
              !halvicor::intel::present(0x01));
static_assert(halvicor::ali::present(0x1F) && !halvicor::ali::present(0x20) &&
              !halvicor::ali::present(0x84));

class SMBusOnSim : public testsupport::ChipsetOnSim {
protected:
    void SetUp() override { powerUp(); }
    void powerUp(sim::SouthBridge bridge = sim::SouthBridge::Piix4, int busyReads = 3) {
        sim::SimConfig config;
        config.hostBusyReads = busyReads;
        ChipsetOnSim::powerUp(bridge, config);
    }
    std::size_t identifierReads() const {
        // Every configuration read of register 0 selects it with a word whose low byte is 0.
        std::size_t reads = 0;
        for (std::size_t i = 1; i < trace.accesses.size(); ++i)
            reads += trace.accesses[i].kind == PortAccess::In32 &&
                     trace.accesses[i].port == 0xCFC && (trace.accesses[i - 1].value & 0xFF) == 0;
        return reads;
    }

    platform::VirtualTime time{0.001};
};

} // namespace

TEST_F(SMBusOnSim, SearchFindsAndEnablesTheControllerOfEverySouthBridge) {
    using enum sim::SouthBridge;
    struct Case {
        sim::SouthBridge bridge;
        std::int32_t id;
        std::int32_t base;
        std::size_t identifierReads;
        std::vector<std::array<std::uint32_t, 4>> enables; // device, function, register, bit set
    };
    const Case cases[] = {
        // At 0/7/3: taken without a scan, its identifier read once more.
        {Piix4, kPiix4, 0x5000, 2, {{7, 3, 0xD0, 0x10000}}},
        // At 0/31/3: after 0/7/3, the scan reaches it at 31 * 8 + 3.
        {Ich, 0x24438086, 0x0400, 1 + 31 * 8 + 4 + 1, {{31, 3, 0x40, 0x10000}}},
        // The power-management function at 0/17/0.
        {Ali, kAliPower, 0xE800, 1 + 17 * 8 + 1 + 1, {{17, 0, 0xD0, 0x400}, {17, 0, 0xF0, 0x1}}},
        // Nothing: bus 0 and bus 1 in full, and the search ends.
        {None, 0, 0, 1 + 2 * 32 * 8, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.bridge));
        powerUp(c.bridge);
        SMBus bus;
        EXPECT_EQ(bus.DeviceID(), c.id);
        EXPECT_EQ(bus.SMBusBaseAddress(), c.base);
        EXPECT_EQ(identifierReads(), c.identifierReads);
        for (const auto& [device, function, reg, bit] : c.enables)
            EXPECT_EQ(config(device, function, static_cast<std::uint8_t>(reg)) & bit, bit) << reg;
    }

    // An Intel identifier that answers at another function, on bus 1: its base
    // and host enable are still those of function 3 of its device.
    powerUp(None);
    pc().pci().addFunction(1, 4, 0, kPiix4);
    pc().pci().addFunction(1, 4, 3, 0).write(0x90, 0x7001);
    EXPECT_EQ(SMBus{}.SMBusBaseAddress(), 0x7000);
    EXPECT_EQ(pc().pci().readConfig(1, 4, 3, 0xD0) & 0x10000, 0x10000u);
}

TEST_F(SMBusOnSim, EveryIchIdentifierIsTakenAndNoOther) {
    struct Case {
        std::uint32_t id;
        bool taken;
    };
    const Case cases[] = {{0x24188086, true},  {0x24288086, true},  {0x24138086, true},
                          {0x24238086, true},  {0x24438086, true},  {0x24458086, true},
                          {0x24448086, false}, {0x24188087, false}, {0x71138086, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        sim::SimConfig simConfig;
        simConfig.smbusIdentifier = c.id;
        ChipsetOnSim::powerUp(sim::SouthBridge::Ich, simConfig);
        SMBus bus;
        EXPECT_EQ(static_cast<std::uint32_t>(bus.DeviceID()), c.taken ? c.id : 0u);
        EXPECT_EQ(bus.SMBusBaseAddress(), c.taken ? 0x0400 : 0);
    }
}

TEST_F(SMBusOnSim, SearchRunsWherePortAccessIsAllowedWhateverTheSystemCode) {
    platform::overrideOsVersion(platform::OsVersionInfo{.minorVersion = 10, .platformId = 1});
    {
        PortTrace refused(false);
        SMBus bus;
        EXPECT_TRUE(refused.accesses.empty()) << "no access where ports are refused";
        EXPECT_EQ(bus.DeviceID(), 0);
        EXPECT_EQ(bus.SMBusBaseAddress(), 0);
        // Set by hand, the controller is still not touched.
        bus.setDeviceID(kPiix4);
        bus.setSMBusBaseAddress(0x5000);
        EXPECT_EQ(bus.PortRead(kChip, 0x10), 0);
        bus.PortWrite(kChip, 0x10, 0x5A);
        EXPECT_FALSE(bus.DevicePresent(kChip));
        EXPECT_TRUE(refused.accesses.empty());
    }
    platform::overrideOsVersion(std::nullopt); // NT 5.1: the original skipped the search here
    SMBus bus;
    EXPECT_EQ(bus.DeviceID(), kPiix4);
}

TEST_F(SMBusOnSim, AMissingHalvicorFailsCreationOnlyWhereTheSearchRuns) {
    auto& library = brisendal::HalvicorLibrary::instance();
    library.setLibraryName("libHalvicorThatIsNotThere.so");
    const auto missing = failureOf([] { SMBus{}; });
    EXPECT_EQ(missing.number, 53);
    EXPECT_NE(missing.text.find("File not found"), std::string::npos);
    {
        PortTrace refused(false);
        EXPECT_NO_THROW(SMBus{});
    }
    library.setLibraryName("/proc/self/exe"); // there, but no library
    const auto unloadable = failureOf([] { SMBus{}; });
    EXPECT_EQ(unloadable.number, 48);
    EXPECT_NE(unloadable.text.find("/proc/self/exe is there but cannot be loaded"),
              std::string::npos);
    library.setLibraryName("libvsqparport.so"); // a library without Halvicor's functions
    const auto incomplete = failureOf([] { SMBus{}; });
    EXPECT_EQ(incomplete.number, 453);
    EXPECT_NE(incomplete.text.find("ReadPCI"), std::string::npos);
    library.setLibraryName("libHalvicor.so");
    EXPECT_EQ(SMBus{}.DeviceID(), kPiix4);
}

TEST_F(SMBusOnSim, IntelWriteProbeAndReadFollowTheirRegisterSequences) {
    SMBus bus;
    trace.accesses.clear();

    bus.PortWrite(kChip, 0x90, 0x01);
    EXPECT_EQ(trace.byteWrites(), "5006:00 5003:90 5004:A8 5005:01 5000:1F 5002:48");
    // Straight after a write, a write, a probe and a read each wait until the
    // controller has finished (a start while busy is lost).
    bus.PortWrite(kChip, 0x11, 0xA5);
    trace.accesses.clear();
    EXPECT_TRUE(bus.DevicePresent(kChip));
    EXPECT_EQ(trace.byteWrites(), "5003:00 5004:A9 5000:1F 5002:48");
    pc().chip(kChipsetBus).setRegisterValue(0x10, 0x5A);
    EXPECT_EQ(bus.PortRead(kChip, 0x10), 0x5A);
    EXPECT_EQ(pc().journal().text(kChipsetBus),
              "S A8+ 90+ 01+ P S A8+ 11+ A5+ P S A8+ 00+ Sr A9+ 00- P S A8+ 10+ Sr A9+ 5A- P");

    trace.accesses.clear();
    bus.PortRead(0xA8, 0x10); // an 8-bit address loses its top bit
    EXPECT_EQ(trace.byteWrites(), "5006:00 5005:00 5003:10 5004:51 5000:1F 5002:48");
}

TEST_F(SMBusOnSim, AliWriteAndReadFollowTheirRegisterSequences) {
    powerUp(sim::SouthBridge::Ali);
    SMBus bus;
    trace.accesses.clear();

    bus.PortWrite(kChip, 0x10, 0x5A);
    EXPECT_EQ(trace.byteWrites(), "E800:F0 E807:10 E803:A8 E804:5A E801:20 E802:00");
    bus.PortWrite(kChip, 0x11, 0xA5); // each waits for the one before
    EXPECT_TRUE(bus.DevicePresent(kChip));
    EXPECT_EQ(bus.PortRead(kChip, 0x10), 0x5A);
    EXPECT_EQ(pc().chip(kChipsetBus).registerValue(0x10), 0x5A);
    EXPECT_EQ(pc().journal().text(kChipsetBus),
              "S A8+ 10+ 5A+ P S A8+ 11+ A5+ P S A8+ 00+ Sr A9+ 00- P S A8+ 10+ Sr A9+ 5A- P");
}

// The data register still holds 0x5A from the read before: a failed read gives 0, not that.
TEST_F(SMBusOnSim, AnAbsentDeviceALostBusAndEveryErrorStatusFailTheProbeAndTheRead) {
    using O = sim::ChipsetOutcome;
    for (auto bridge : {sim::SouthBridge::Piix4, sim::SouthBridge::Ich, sim::SouthBridge::Ali}) {
        SCOPED_TRACE(static_cast<int>(bridge));
        powerUp(bridge);
        SMBus bus;
        pc().chip(kChipsetBus).setRegisterValue(0x10, 0x5A);
        EXPECT_TRUE(bus.DevicePresent(kChip));
        for (O outcome : {O::DeviceError, O::BusError, O::Failed}) {
            SCOPED_TRACE(static_cast<int>(outcome));
            ASSERT_EQ(bus.PortRead(kChip, 0x10), 0x5A);
            pc().failChipsetTransfers(outcome, 1);
            EXPECT_EQ(bus.PortRead(kChip, 0x10), 0);
            pc().failChipsetTransfers(outcome, 1);
            EXPECT_FALSE(bus.DevicePresent(kChip));
            EXPECT_TRUE(bus.DevicePresent(kChip));
        }
        ASSERT_EQ(bus.PortRead(kChip, 0x10), 0x5A);
        pc().setDevicePresent(kChipsetBus, 0xA8, false);
        EXPECT_FALSE(bus.DevicePresent(kChip));
        EXPECT_EQ(bus.PortRead(kChip, 0x10), 0);
        pc().setDevicePresent(kChipsetBus, 0xA8, true);
        pc().startSecondMaster(kChipsetBus, 1);
        EXPECT_EQ(bus.PortRead(kChip, 0x10), 0) << "a lost bus is a failed read";
    }
}

TEST_F(SMBusOnSim, NoControllerOrNoUsableBaseTouchesNoPort) {
    pc().pci().writeConfig(0, 7, 3, 0x90, 0); // the base register holds base 0
    SMBus bus;
    EXPECT_EQ(bus.DeviceID(), 0);
    EXPECT_EQ(bus.SMBusBaseAddress(), 0);
    EXPECT_EQ(config(7, 3, 0xD0) & 0x10000, 0u) << "the controller must stay disabled";

    trace.accesses.clear();
    EXPECT_EQ(bus.PortRead(kChip, 0x10), 0); // no identifier
    bus.setDeviceID(0x12345678);
    EXPECT_FALSE(bus.DevicePresent(kChip)); // an identifier not supported
    bus.setDeviceID(kPiix4);
    bus.PortWrite(kChip, 0x10, 0x5A); // base 0
    bus.setSMBusBaseAddress(0x10000);
    EXPECT_EQ(bus.PortRead(kChip, 0x10), 0); // reaches port 0 too
    EXPECT_TRUE(trace.accesses.empty());

    // An ALi base register with base 0 in its upper half: not used, not enabled.
    powerUp(sim::SouthBridge::Ali);
    pc().pci().writeConfig(0, 17, 0, 0xE0, 0x0000FFFF);
    SMBus ali;
    EXPECT_EQ(ali.DeviceID(), 0);
    EXPECT_EQ(ali.SMBusBaseAddress(), 0);
    EXPECT_EQ(config(17, 0, 0xD0) & 0x400, 0u);
    EXPECT_EQ(config(17, 0, 0xF0) & 0x1, 0u);
}

TEST_F(SMBusOnSim, WaitsEndAfterASecondOfTheMonotonicClockAndYieldWithoutInput) {
    powerUp(sim::SouthBridge::Piix4, 1'000'000); // a controller that never finishes
    SMBus bus;
    time.clock().set(86399.5); // half a second before midnight: no wrap to wait for
    time.setStep(1.0 / 1024);  // exact in binary, so the wait's length is exact
    const double start = platform::secondsNow();
    trace.accesses.clear();

    EXPECT_EQ(bus.PortRead(kChip, 0x10), 0) << "a read that timed out gives 0";
    EXPECT_EQ(platform::secondsNow() - start, 1.0);
    // One status reading before the start, then one at each yield's clock up
    // to the first at or past entry + 1 s.
    EXPECT_EQ(time.yields(), 1024u);
    EXPECT_EQ(trace.count(PortAccess::In8, 0x5000), 1u + 1025u);
    EXPECT_EQ(time.yields(), time.noInputYields());

    platform::requestQuit();
    const auto yieldsBefore = time.yields();
    EXPECT_FALSE(bus.DevicePresent(kChip));
    EXPECT_EQ(time.yields(), yieldsBefore) << "the program's end ends every wait";
    platform::clearQuitRequest();

    // A stuck ALi status (0x00) shows no error bit: the time-out alone says absent.
    powerUp(sim::SouthBridge::Ali, 1'000'000);
    SMBus ali;
    EXPECT_FALSE(ali.DevicePresent(kChip));
    platform::out8(0xE804, 0x5A); // a read that timed out ignores what the data register holds
    EXPECT_EQ(ali.PortRead(kChip, 0x10), 0);
}

TEST_F(SMBusOnSim, ATransferStartedDuringAnotherIsRefusedWithoutTraffic) {
    powerUp(sim::SouthBridge::Piix4, 20);
    SMBus bus;
    SMBus other;
    pc().chip(kChipsetBus).setRegisterValue(0x10, 0x5A);
    pc().chip(kChipsetBus).setRegisterValue(0x11, 0x66);

    int nested = 0;
    std::uint8_t nestedResult = 0xFF;
    std::size_t accessesBefore = 0, accessesAfter = 0;
    auto previous = platform::setYieldHook([&](platform::YieldMode) {
        if (nested++ == 0) {
            EXPECT_TRUE(SMBus::FrameInProgress());
            accessesBefore = trace.accesses.size();
            nestedResult = other.PortRead(kChip, 0x11);
            other.PortWrite(kChip, 0x11, 0x00);
            accessesAfter = trace.accesses.size();
        }
    });
    EXPECT_EQ(bus.PortRead(kChip, 0x10), 0x5A);
    platform::setYieldHook(previous);

    ASSERT_GT(nested, 0);
    EXPECT_EQ(nestedResult, 0);
    EXPECT_EQ(accessesAfter, accessesBefore);
    EXPECT_EQ(pc().chip(kChipsetBus).registerValue(0x11), 0x66);
    EXPECT_FALSE(SMBus::FrameInProgress());
    EXPECT_EQ(pc().journal().text(kChipsetBus), "S A8+ 10+ Sr A9+ 5A- P");
}

TEST(SMBusProperties, FrameDelayIsClampedAndTheRestStoredAsGiven) {
    PortTrace refused(false); // no search, nothing touched
    SMBus bus;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float delays[][2] = {{-5.0f, 0.0f}, {3e10f, 1e10f}, {nan, 0.0f}, {0.25f, 0.25f}};
    for (const auto& [set, kept] : delays) {
        bus.setFrameDelay(set);
        EXPECT_EQ(bus.FrameDelay(), kept) << set;
    }
    bus.setSMBusBaseAddress(0x16000);
    EXPECT_EQ(bus.SMBusBaseAddress(), 0x16000);
    EXPECT_TRUE(refused.accesses.empty());
}

// An ALi base register whose bit 31 is clear gives 0x10000 above the base;
// its ports still reach the controller at the base.
TEST_F(SMBusOnSim, AliProbesFollowTheirRegisterSequenceAtABaseWithBit31Clear) {
    sim::SimConfig config;
    config.smbusBase = 0x6000;
    ChipsetOnSim::powerUp(sim::SouthBridge::Ali, config);
    SMBus ali;
    EXPECT_EQ(ali.SMBusBaseAddress(), 0x16000);
    trace.accesses.clear();
    EXPECT_TRUE(ali.DevicePresent(kChip));
    EXPECT_EQ(trace.byteWrites(), "6000:F0 6007:00 6003:A9 6001:20 6002:FF");
    ali.PortWrite(kChip, 0x10, 0x77);
    EXPECT_EQ(ali.PortRead(kChip, 0x10), 0x77);
}
