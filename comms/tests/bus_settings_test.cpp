// Settings of the shared bus state as the objects expose them: creation
// defaults, polarity patterns, clamps, stored-only properties, system detection
// and the failed statuses of the object tree.

#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "comms/bus_state.h"
#include "comms/com_error.h"
#include "comms/windows_version.h"
#include "platform/os_version.h"
#include "platform/parallel_port_driver.h"
#include "simulated_board.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

using namespace brisendal;

namespace {

using brisendal::testing::failureOf;
using brisendal::testing::pretendToBe;
using BusSettings = brisendal::testing::FreshBus;
using SystemDetection = brisendal::testing::FreshBus;
using ObjectTree = brisendal::testing::FreshBus;

struct Patterns {
    std::uint8_t driveA, driveB, driveC, driveD, senseA, senseB, senseC, senseD;
    bool operator==(const Patterns&) const = default;
};

Patterns patterns() {
    const auto& s = busState();
    return {s.DriveA, s.DriveB, s.DriveC, s.DriveD, s.SenseA, s.SenseB, s.SenseC, s.SenseD};
}

constexpr Patterns kInverted{0, 2, 3, 1, 0x00, 0x10, 0x30, 0x20};
constexpr Patterns kPlain{3, 1, 0, 2, 0x30, 0x20, 0x00, 0x10};

} // namespace

TEST_F(BusSettings, CreatingAProtocolObjectReappliesItsDefaultsToEveryObject) {
    auto first = std::make_shared<SMBusProtocall>();
    EXPECT_EQ(first->MaxArbitrationDenials(), 20);
    first->setMaxArbitrationDenials(3);
    first->setDelay(2.5f);
    first->setBitsToStayHigh(0x0C);
    first->setActAsMaster(true);
    first->setDataInverted(true);
    first->setArbitrationOn(true);
    first->setDeviceAddress(0xA8);

    auto second = std::make_shared<SMBusProtocall>();
    EXPECT_EQ(first->MaxArbitrationDenials(), 20);
    EXPECT_EQ(first->Delay(), 0.0f);
    EXPECT_EQ(first->BitsToStayHigh(), 0);
    EXPECT_FALSE(first->ActAsMaster());
    // Kept: polarity, arbitration and device address.
    EXPECT_TRUE(second->DataInverted());
    EXPECT_TRUE(second->ArbitrationOn());
    EXPECT_EQ(second->DeviceAddress(), 0xA8);
}

TEST_F(BusSettings, CreationLeavesLinePatternsThatMatchTheCurrentPolarity) {
    EXPECT_FALSE(busState().DataInverted);
    SMBusProtocall fresh;
    EXPECT_EQ(patterns(), kPlain);

    fresh.setDataInverted(true);
    EXPECT_EQ(patterns(), kInverted);
    SMBusProtocall second;
    EEPROM eeprom;
    EXPECT_EQ(patterns(), kInverted);

    fresh.setDataInverted(false);
    EEPROM later; // used to leave the inverted drive set behind a plain polarity
    EXPECT_EQ(patterns(), kPlain);
    SMBusProtocall another;
    EXPECT_EQ(patterns(), kPlain);
}

TEST_F(BusSettings, PolarityIsOneSettingThroughEveryObject) {
    PrinterPort port;
    auto protocol = port.SMBusProtocall();
    port.setDataInverted(true);
    EXPECT_TRUE(protocol->DataInverted());
    EXPECT_EQ(patterns(), kInverted);
    protocol->setDataInverted(false);
    EXPECT_FALSE(port.DataInverted());
    EXPECT_EQ(patterns(), kPlain);
}

TEST_F(BusSettings, DelaysAndStoredOnlyProperties) {
    SMBusProtocall protocol;
    const struct {
        float set, expected;
    } frameDelays[] = {{-3.0f, 0.0f},
                       {2e10f, 1e10f},
                       {0.25f, 0.25f},
                       {std::numeric_limits<float>::quiet_NaN(), 0.0f},
                       {std::numeric_limits<float>::infinity(), 1e10f}};
    for (const auto& d : frameDelays) {
        protocol.setFrameDelay(d.set);
        EXPECT_EQ(protocol.FrameDelay(), d.expected) << d.set;
    }
    protocol.setDelay(-3.0f);
    EXPECT_EQ(protocol.Delay(), -3.0f);

    protocol.setOrBits(5);
    EXPECT_EQ(protocol.BitsToStayHigh(), 5);
    protocol.setBitsToStayHigh(7);
    EXPECT_EQ(protocol.OrBits(), 5);
    EXPECT_EQ(protocol.BitsToStayHigh(), 7);

    protocol.setTotalSpeed(99);
    EXPECT_EQ(protocol.TotalSpeed(), 0);
    EXPECT_EQ(protocol.Detect(0x378), 0);

    protocol.setAddressPointer(0x42);
    protocol.setCheckForAck(true);
    protocol.setThereWasNoAck(true);
    protocol.setVideoSoftware(true);
    protocol.setRepeatedStart(true);
    SMBusProtocall other;
    EXPECT_EQ(other.AddressPointer(), 0x42);
    EXPECT_TRUE(other.CheckForAck());
    EXPECT_TRUE(other.ThereWasNoAck());
    EXPECT_TRUE(other.VideoSoftware());
    EXPECT_TRUE(other.RepeatedStart());
    protocol.setFinalPEC(0x33);
    protocol.setPECOK(true);
    EXPECT_EQ(other.FinalPEC(), 0); // these belong to one object
    EXPECT_FALSE(other.PECOK());
}

TEST_F(BusSettings, EepromKeepsItsOwnDelaysAndSharesTheRest) {
    PrinterPort port;
    auto eeprom = port.EEPROM();
    eeprom->setFrameDelay(2.5f);
    eeprom->setDelay(-4);
    EXPECT_EQ(eeprom->FrameDelay(), 2.5f);
    EXPECT_EQ(eeprom->Delay(), -4);
    EXPECT_EQ(port.SMBusProtocall()->FrameDelay(), 0.0f);

    eeprom->setRelativeDelayOn(true);
    EXPECT_TRUE(port.SMBusProtocall()->RelativeDelayOn());
    eeprom->setDeviceAddress(0xAA);
    EXPECT_EQ(port.DeviceAddress(), 0xAA);
    port.SMBusProtocall()->setDeviceAddress(0x5C);
    EXPECT_EQ(eeprom->DeviceAddress(), 0x5C);
}

TEST_F(SystemDetection, The9xAnd95BuildNumbers) {
    const struct {
        long build;
        bool windows9x, windows95;
    } cases[] = {
        {950, true, true},   {1111, true, true},   {1998, true, false},  {2222, true, false},
        {3000, true, false}, {2195, false, false}, {2600, false, false}, {0, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsWindows9xBuild(c.build), c.windows9x) << c.build;
        EXPECT_EQ(IsWindows95Build(c.build), c.windows95) << c.build;
        EXPECT_EQ(IsWindows9xBuild(std::to_string(c.build)), c.windows9x) << c.build;
    }
    for (const char* text : {"", "1998 ", " 1998", "1998a", "Unrecognised Build Number (1998)"})
        EXPECT_FALSE(IsWindows9xBuild(std::string(text))) << text;
}

// Ports are detected once per bus state, so each build runs as a test of its own.
struct BuildCase {
    std::uint32_t platformId;
    std::uint32_t buildNumber; // as the version record holds it
    bool windows9x;
};

// Named by the platform and the build as the version record holds it.
void PrintTo(const BuildCase& c, std::ostream* out) {
    char name[32];
    std::snprintf(name, sizeof name, "Platform%uBuild%08X", c.platformId, c.buildNumber);
    *out << name;
}

class SystemDetectionOfBuilds : public brisendal::testing::FreshBus,
                                public ::testing::WithParamInterface<BuildCase> {};

TEST_P(SystemDetectionOfBuilds, OnlyThe9xBuildsUsePortsUnclaimed) {
    const BuildCase c = GetParam();
    pretendToBe(c.platformId, 4, 10, c.buildNumber);
    PrinterPort port;
    EXPECT_TRUE(busState().PortsInitialised);
    EXPECT_EQ(busState().Windows9xBuild, c.windows9x);
}

INSTANTIATE_TEST_SUITE_P(
    EveryBuild, SystemDetectionOfBuilds,
    // On 9x the low 12 bits are the build; NT keeps the whole number. Another
    // platform's build text, "Unrecognised Build Number (1998)", is no number.
    ::testing::Values(BuildCase{1, 0x04000000 | 950, true}, BuildCase{1, 0x04000000 | 1111, true},
                      BuildCase{1, 0x0400F000 | 1998, true}, BuildCase{1, 0x04000000 | 2222, true},
                      BuildCase{1, 0x04000000 | 3000, true}, BuildCase{1, 0x04000000 | 951, false},
                      BuildCase{1, 0x04000000 | 2600, false}, BuildCase{2, 1998, true},
                      BuildCase{2, 2600, false}, BuildCase{2, 0x04000000 | 1998, false},
                      BuildCase{3, 1998, false}),
    ::testing::PrintToStringParamName());

// The version code walks its table, one row past each family's known versions.
TEST_F(SystemDetection, VersionCodesAndBuildTextsOfEverySystem) {
    struct Case {
        std::uint32_t platformId, major, minor, build;
        std::int16_t code;
        const char* text; // nullptr: the text before it stays
    };
    const Case cases[] = {
        {1, 4, 0, 0x040003B6, 95, "950"},
        {1, 4, 10, 0x040A07CE, 98, "1998"},
        {1, 4, 90, 0x045A0BB8, 0, "3000"},
        {2, 3, 51, 1057, 351, "1057"},
        {2, 4, 0, 1381, 400, "1381"},
        {2, 5, 1, 2600, 2000, "2600"},
        {2, 6, 1, 7601, 0, "7601"},
        {3, 5, 1, 2600, -1, "Unrecognised Build Number (2600)"},
        {10, 5, 1, 2601, -1, "Unrecognised Build Number (2601)"},
        {11, 5, 1, 2602, -1, nullptr},
        {0, 5, 1, 2603, -1, nullptr},
    };
    std::string text;
    for (const Case& c : cases) {
        pretendToBe(c.platformId, c.major, c.minor, c.build);
        EXPECT_EQ(WindowsVersionCode(), c.code) << c.platformId << " " << c.major << "." << c.minor;
        if (c.text)
            text = c.text;
        EXPECT_EQ(WindowsBuildText(), text) << c.platformId;
    }
}

TEST_F(SystemDetection, PortsAreDetectedOncePerProcessAndAnNtBuildIsNot9x) {
    PrinterPort first;
    EXPECT_FALSE(busState().Windows9xBuild);
    busState().PortAddressTable.assign(busState().PortCount, 0x1234); // marks this detection
    PrinterPort second;
    SMBusProtocall third;
    EXPECT_EQ(busState().PortAddressTable.front(), 0x1234);
}

TEST_F(SystemDetection, AMissingDriverFailsTheCreationUntilItIsThere) {
    auto& driver = vsq::platform::ParallelPortDriver::instance();
    const auto name = driver.libraryName();
    driver.setLibraryName("libno-such-parport-driver.so");
    EXPECT_EQ(failureOf([] { PrinterPort{}; }).number, 53);
    EXPECT_THROW(SMBusProtocall{}, ComError);
    EXPECT_FALSE(busState().PortsInitialised);
    driver.setLibraryName("/proc/self/exe"); // there, but no library
    EXPECT_EQ(failureOf([] { PrinterPort{}; }).number, 48);
    driver.setLibraryName("libvsqsim.so"); // loads, without the driver's functions
    EXPECT_EQ(failureOf([] { PrinterPort{}; }).number, 453);
    driver.setLibraryName(name);
    EXPECT_NO_THROW(PrinterPort{});
    EXPECT_TRUE(busState().PortsInitialised);
}

TEST_F(ObjectTree, AChildReplacedByNothingIsAFailedStatusNotANullObject) {
    PrinterPort port;
    port.setDataPort(nullptr);
    port.setSMBusProtocall(nullptr);
    port.setStatusPort(nullptr);
    port.setControlPort(nullptr);
    for (auto read :
         {+[](PrinterPort& p) { p.DataPort(); }, +[](PrinterPort& p) { p.SMBusProtocall(); },
          +[](PrinterPort& p) { p.StatusPort(); }, +[](PrinterPort& p) { p.ControlPort(); }})
        EXPECT_EQ(failureOf([&] { read(port); }).number, 91) << "an empty child is no object";
    // The EEPROM alone is made again.
    auto before = port.EEPROM();
    port.setEEPROM(nullptr);
    auto after = port.EEPROM();
    ASSERT_NE(after, nullptr);
    EXPECT_NE(after, before);
    EXPECT_EQ(port.EEPROM(), after);
}
