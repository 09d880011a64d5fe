#include "platform/parallel_port_driver.h"
#include "platform/parport/parport_backend.h"
#include "sim/simulated_pc.h"

#include <cstdio>
#include <dlfcn.h>
#include <fstream>
#include <gtest/gtest.h>

using namespace vsq::platform;

TEST(ParallelPortDriver, LoadsTheSimulatedDriverByNameAtTheFirstCall) {
    auto& driver = ParallelPortDriver::instance();
    ASSERT_GE(driver.GetParallelPortCount(), 1);
    PortInformation record;
    record.recordSize = 12;
    EXPECT_NE(driver.GetParallelPortInfo(1, record) & 0xFFFF, 0);
    EXPECT_EQ(record.baseAddress, 0x378u);
    EXPECT_NE(driver.ClaimParallelPort(1, -1) & 0xFFFF, 0);
    driver.OutByte(0x378, 0xA5);
    EXPECT_EQ(driver.InByte(0x378), 0xA5); // the data register is latched and readable
    driver.OutByte(0x37A, 0xFF);           // as through ppdev: the four control lines only
    EXPECT_EQ(driver.InByte(0x37A), 0x0F);
    EXPECT_EQ(vsq::sim::SimulatedPc::instance().in8(0x37A), 0xCF);
    driver.ReleaseParallelPort(1);

    // A PC configured anew with its port elsewhere: the control register moves
    // with it, and an address that was a control register passes all eight bits
    // once it is the port's data register.
    struct Moved {
        std::uint16_t base;
        std::uint16_t address;
        std::uint8_t written;
        std::uint8_t readBack;
    };
    for (const Moved& row : {Moved{0x278, 0x27A, 0xFF, 0x0F}, Moved{0x27A, 0x27A, 0xA5, 0xA5}}) {
        vsq::sim::SimConfig moved;
        moved.ports[0].base = row.base;
        vsq::sim::SimulatedPc::instance().configure(moved);
        ASSERT_NE(driver.ClaimParallelPort(1, -1) & 0xFFFF, 0);
        driver.OutByte(row.address, row.written);
        EXPECT_EQ(driver.InByte(row.address), row.readBack) << "port at " << row.base;
        driver.ReleaseParallelPort(1);
    }
    vsq::sim::SimulatedPc::instance().reset();
}

TEST(ParallelPortDriver, AbsentPortGivesNoInformation) {
    PortInformation record;
    record.recordSize = 12;
    EXPECT_EQ(ParallelPortDriver::instance().GetParallelPortInfo(9, record) & 0xFFFF, 0);
    EXPECT_EQ(record.baseAddress, 0u);
}

TEST(ParallelPortDriver, AMissingLibraryOrFunctionFailsTheCallThatNeedsIt) {
    auto& driver = ParallelPortDriver::instance();
    // A missing file, and files that are there but no library: the program
    // itself, and a name found beside the platform's own libraries.
    Dl_info platform{};
    ASSERT_NE(dladdr(reinterpret_cast<const void*>(&ParallelPortDriver::instance), &platform), 0);
    std::string beside = platform.dli_fname;
    beside.replace(beside.rfind('/') + 1, std::string::npos, "libvsq-no-library.so");
    std::ofstream(beside) << "not a library\n";
    const std::pair<const char*, const char*> unloadable[] = {
        {"libno-such-parport-driver.so",
         "File not found: libno-such-parport-driver.so (libno-such-parport-driver.so: cannot open"},
        {"/proc/self/exe", "Error in loading DLL: /proc/self/exe is there but cannot be loaded "
                           "(/proc/self/exe: cannot dynamically load"},
        {"libvsq-no-library.so",
         "Error in loading DLL: libvsq-no-library.so is there but cannot be loaded (/"},
    };
    for (const auto& [name, said] : unloadable) {
        driver.setLibraryName(name);
        try {
            driver.GetParallelPortCount();
            ADD_FAILURE() << name << " must not load";
        } catch (const DriverUnavailable& e) {
            EXPECT_EQ(std::string(e.what()).rfind(said, 0), 0u) << e.what();
        }
        EXPECT_THROW(driver.OutByte(0x378, 0), DriverUnavailable);
    }
    std::remove(beside.c_str());
    driver.setLibraryName("libvsqsim.so"); // loads, but exports no driver functions
    try {
        driver.ClaimParallelPort(1, -1);
        ADD_FAILURE() << "a missing entry point must raise";
    } catch (const DriverUnavailable& e) {
        EXPECT_NE(std::string(e.what()).find("ClaimParallelPort"), std::string::npos);
    }
    driver.setLibraryName("libvsqparport.so");
    EXPECT_GE(driver.GetParallelPortCount(), 1);
}

TEST(ParallelPortDriver, UnknownBackendFailsTheCountAsAMissingDriverDoes) {
    ::setenv("VSQ_PARPORT", "parallel", 1);
    vsq::parport::useParportBackend(nullptr);
    try {
        ParallelPortDriver::instance().GetParallelPortCount();
        FAIL() << "an unknown VSQ_PARPORT must be refused";
    } catch (const DriverUnavailable& e) {
        EXPECT_STREQ(e.what(),
                     "unknown parallel-port driver \"parallel\" (VSQ_PARPORT: sim or ppdev)");
    }
    ::unsetenv("VSQ_PARPORT"); // the other tests run on the simulated ports
    // A driver put in place ends the refusal.
    vsq::parport::useParportBackend(vsq::parport::makeParportBackend("sim"));
    EXPECT_GE(ParallelPortDriver::instance().GetParallelPortCount(), 1);
}
