// The ppdev backend of the parallel-port driver on a fake of the kernel's port
// list and of the device's system calls.

#include "fake_ppdev_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>

using namespace vsq::parport;
using vsq::parport::testing::FakePpdev;

// Numbers sort as numbers (parport10 after parport2); "parport" alone and
// other folders are no ports.
TEST(PpdevBackend, CountsThePortsTheKernelListsAndOpensEachOnceWithCloseOnExec) {
    FakePpdev fake;
    fake.addPort(2, "888");
    fake.addPort(10, "632");
    for (const char* other : {"default", "parport"})
        std::filesystem::create_directories(std::filesystem::path(fake.system().portListFolder) /
                                            other);
    auto ppdev = makePpdevParportBackend(fake.system());
    EXPECT_EQ(ppdev->portCount(), 2);
    EXPECT_EQ(ppdev->baseAddress(1), 0x378u);
    EXPECT_EQ(ppdev->baseAddress(2), 0x278u);
    EXPECT_FALSE(ppdev->baseAddress(3).has_value());
    for (int transaction = 0; transaction < 3; ++transaction) {
        ASSERT_TRUE(ppdev->claim(2));
        ppdev->outByte(0x278, 0x03);
        ppdev->release(2);
    }
    ppdev->release(2); // not claimed: nothing to release
    EXPECT_EQ(fake.opened, (std::vector<std::string>{"/fake/dev/parport10"}));
    EXPECT_EQ(fake.openFlags, O_RDWR | O_CLOEXEC);
    EXPECT_EQ(fake.requests[PPCLAIM], 3);
    EXPECT_EQ(fake.requests[PPRELEASE], 3);
    EXPECT_EQ(fake.requests[PPWDATA], 3);
    // A port still claimed at the end is released before its device is closed.
    ASSERT_TRUE(ppdev->claim(1));
    ppdev.reset();
    EXPECT_EQ(fake.requests[PPRELEASE], 4);
    EXPECT_EQ(fake.closes, 2);
}

TEST(PpdevBackend, RefusesEverythingButTheRegistersOfAClaimedPort) {
    FakePpdev fake;
    fake.addPort(0, "888");
    auto ppdev = makePpdevParportBackend(fake.system());
    EXPECT_EQ(ppdev->inByte(0x378), 0xFF); // not claimed yet
    ASSERT_TRUE(ppdev->claim(1));
    ASSERT_TRUE(ppdev->claim(1)); // claimed already: not asked again
    EXPECT_EQ(ppdev->inByte(0xCFC), 0xFF);
    ppdev->outByte(0x37B, 0x00);
    ppdev->outByte(0x379, 0x00); // the status register takes no writes
    EXPECT_EQ(ppdev->inByte(0x37A), 0x33);
    EXPECT_EQ(fake.requests.size(), 2u); // the claim and the control read
    EXPECT_EQ(fake.requests[PPCLAIM], 1);
    // Each register through its own request.
    EXPECT_EQ(ppdev->inByte(0x378), 0x11);
    EXPECT_EQ(ppdev->inByte(0x379), 0x22);
    ppdev->outByte(0x378, 0xA5);
    ppdev->outByte(0x37A, 0x5A);
    EXPECT_EQ(fake.written,
              (std::map<unsigned long, unsigned char>{{PPWDATA, 0xA5}, {PPWCONTROL, 0x5A}}));
    EXPECT_FALSE(ppdev->claim(0));
    EXPECT_EQ(makeParportBackend("bogus"), nullptr);
}

TEST(PpdevBackend, EachSetUpFailureIsSaidOnceNamingTheDeviceAndTheCause) {
    struct Case {
        const char* base;
        int kernelNumber; // each its own device, so that each is said
        int openError;
        int claimError;
        std::string said;
    };
    const Case cases[] = {
        {nullptr, 0, 0, 0, "parallel port: the kernel lists none in "},
        {"888", 0, EACCES, 0,
         "/fake/dev/parport0: cannot open (Permission denied); the user needs access to "
         "/fake/dev/parport0, usually the lp group\n"},
        {"888", 0, EPERM, 0,
         "/fake/dev/parport0: cannot open (Operation not permitted); the user needs access to "
         "/fake/dev/parport0, usually the lp group\n"},
        {"888", 0, ENOENT, 0,
         "/fake/dev/parport0: cannot open (No such file or directory); load the ppdev module\n"},
        {"888", 0, ENXIO, 0,
         "/fake/dev/parport0: cannot open (No such device or address); load the ppdev module\n"},
        {"", 0, 0, 0, "/fake/dev/parport0: no base address in "},
        {"0", 1, 0, 0, "/fake/dev/parport1: no base address in "},
        {"65536", 2, 0, 0, "/fake/dev/parport2: no base address in "},
        {"65535", 3, 0, EBUSY, "/fake/dev/parport3: claim refused (Device or resource busy)\n"},
        {"888", 0, 0, EBUSY, "/fake/dev/parport0: claim refused (Device or resource busy)\n"},
    };
    for (const Case& c : cases) {
        FakePpdev fake;
        if (c.base)
            fake.addPort(c.kernelNumber, c.base);
        fake.openError = c.openError;
        fake.claimError = c.claimError;
        auto ppdev = makePpdevParportBackend(fake.system());
        ::testing::internal::CaptureStderr();
        ppdev->portCount();
        EXPECT_FALSE(ppdev->claim(1));
        EXPECT_FALSE(ppdev->claim(1));
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.find(c.said), 0u) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << "said once: " << said;
        EXPECT_LE(fake.opened.size(), 1u);
    }
}
