#include "platform/native_port_io.h"
#include "platform/port_io.h"

#include <cerrno>
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

TEST(PortIo, NativeBackendSaysOnceWhyRawPortsAreRefused) {
    struct Case {
        int error;
        bool root;
        bool rawIo; // CAP_SYS_RAWIO held
        const char* why;
    };
    const Case cases[] = {
        {EPERM, false, false,
         "(iopl: Operation not permitted): the chipset SMBus needs the program run as root"},
        {EPERM, true, true, "(iopl: Operation not permitted): the kernel forbids it even to root"},
        {EPERM, true, false,
         "(iopl: Operation not permitted): root without the CAP_SYS_RAWIO capability"},
        {ENOSYS, true, true,
         "(iopl: Function not implemented): this kernel or machine has no raw port"},
    };
    for (const Case& c : cases) {
        NativePortIo native({[&](int) {
                                 errno = c.error;
                                 return -1;
                             },
                             [&] { return c.root; }, [&] { return c.rawIo; }});
        testing::internal::CaptureStderr();
        EXPECT_FALSE(native.accessAllowed());
        EXPECT_FALSE(native.accessAllowed());
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(c.why), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << "said once: " << said;
        try {
            native.in8(0x80);
            ADD_FAILURE() << "an access without permission must raise";
        } catch (const PortIoError& e) {
            EXPECT_EQ(std::string(e.what()) + "\n", said);
        }
        EXPECT_THROW(native.out32(0xCF8, 0x80000000), PortIoError);
    }
}
