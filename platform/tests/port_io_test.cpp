#include "platform/native_port_io.h"
#include "platform/port_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <map>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

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
        bool rawIo;         // CAP_SYS_RAWIO held
        bool userNamespace; // in a container's user namespace
        const char* why;
    };
    const Case cases[] = {
        {EPERM, false, false, false,
         "(iopl: Operation not permitted): the chipset SMBus needs the program run as root"},
        {EPERM, true, true, false,
         "(iopl: Operation not permitted): the kernel forbids it even to root (lockdown or secure "
         "boot)"},
        {EPERM, true, true, true,
         "(iopl: Operation not permitted): root of a container (a user namespace) holds "
         "CAP_SYS_RAWIO inside it only, not over the machine's ports"},
        {EPERM, true, false, true,
         "(iopl: Operation not permitted): root without the CAP_SYS_RAWIO capability (taken away "
         "by a container or a service manager)"},
        {ENOSYS, true, true, false,
         "(iopl: Function not implemented): this kernel or machine has no raw port access"},
    };
    for (const Case& c : cases) {
        NativePortIo native({[&](int) {
                                 errno = c.error;
                                 return -1;
                             },
                             [&] { return c.root; }, [&] { return c.rawIo; },
                             [&] { return c.userNamespace; }});
        testing::internal::CaptureStderr();
        EXPECT_FALSE(native.accessAllowed());
        EXPECT_FALSE(native.accessAllowed());
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said, std::string("raw I/O port access refused ") + c.why +
                            "; the chipset SMBus is not searched\n");
        try {
            native.in8(0x80);
            ADD_FAILURE() << "an access without permission must raise";
        } catch (const PortIoError& e) {
            EXPECT_EQ(std::string(e.what()) + "\n", said);
        }
        EXPECT_THROW(native.out32(0xCF8, 0x80000000), PortIoError);
    }
}

// The real checks, in a child whose rights were cut first: CAP_SYS_RAWIO taken
// from its effective set, or a user namespace of its own entered (where a
// restricted container refuses one, that row can prove nothing and says so).
TEST(NativePortIoDeathTest, TheRealChecksSeeTheRightsOfTheProcess) {
    const std::pair<void (*)(), const char*> cases[] = {
        {[] {
             __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
             __user_cap_data_struct sets[2] = {};
             ::syscall(SYS_capget, &header, sets);
             sets[0].effective &= ~(1u << 17); // CAP_SYS_RAWIO
             ::syscall(SYS_capset, &header, sets);
             const bool held = NativePortIo::realSystem().hasRawIoCapability();
             std::fputs(held ? "holds CAP_SYS_RAWIO" : "lacks CAP_SYS_RAWIO", stderr);
         },
         "lacks CAP_SYS_RAWIO"},
        {[] {
             if (::unshare(CLONE_NEWUSER) != 0)
                 std::fputs("no user namespace to be had here", stderr);
             else if (NativePortIo::realSystem().inUserNamespace())
                 std::fputs("in a user namespace", stderr);
         },
         "in a user namespace|no user namespace to be had here"},
    };
    for (const auto& [cut, said] : cases)
        EXPECT_EXIT(
            {
                cut();
                std::exit(0);
            },
            testing::ExitedWithCode(0), said);
}
