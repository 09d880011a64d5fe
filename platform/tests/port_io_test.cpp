#include "platform/native_port_io.h"
#include "platform/port_io.h"

#include <gtest/gtest.h>
#include <map>

using namespace vsq::platform;

namespace {
class RecordingPortIo : public PortIoBackend {
public:
    std::string name() const override { return "recording"; }
    bool accessAllowed() override { return true; }
    std::uint8_t in8(std::uint16_t port) override { return static_cast<std::uint8_t>(bytes[port]); }
    void out8(std::uint16_t port, std::uint8_t value) override { bytes[port] = value; }
    std::uint32_t in32(std::uint16_t port) override { return bytes[port]; }
    void out32(std::uint16_t port, std::uint32_t value) override { bytes[port] = value; }
    std::map<std::uint16_t, std::uint32_t> bytes;
};
} // namespace

TEST(PortIo, DefaultBackendIsTheSimulatorAndTestsCanInstallTheirOwn) {
    EXPECT_EQ(portIo().name(), "sim");
    EXPECT_TRUE(portAccessAllowed());
    auto mine = std::make_shared<RecordingPortIo>();
    auto previous = installPortIo(mine);
    out8(0xCF8, 0x12);
    out32(0xCFC, 0xDEADBEEF);
    EXPECT_EQ(in8(0xCF8), 0x12);
    EXPECT_EQ(in32(0xCFC), 0xDEADBEEFu);
    installPortIo(previous);
    EXPECT_EQ(portIo().name(), "sim");
}

TEST(PortIo, BackendsByName) {
    EXPECT_EQ(makePortIoBackend("sim")->name(), "sim");
    EXPECT_EQ(makePortIoBackend("")->name(), "sim");
    EXPECT_EQ(makePortIoBackend("native")->name(), "native");
    EXPECT_THROW(makePortIoBackend("bogus"), PortIoError);
}

TEST(PortIo, NativeBackendRefusesClearlyInsteadOfFaulting) {
    NativePortIo native;
    if (native.accessAllowed())
        GTEST_SKIP() << "this process may use raw ports; the refusal road cannot be seen";
    try {
        native.in8(0x80);
        FAIL() << "an access without permission must raise";
    } catch (const PortIoError& e) {
        EXPECT_NE(std::string(e.what()).find("VSQ_PORTIO=sim"), std::string::npos);
    }
    EXPECT_THROW(native.out32(0xCF8, 0x80000000), PortIoError);
}
