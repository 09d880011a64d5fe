// PCI configuration mechanism #1, the south-bridge profiles and the chipset's SMBus
// host controllers, driven through the I/O ports.

#include "sim/ali_host_controller.h"
#include "sim/intel_host_controller.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

using namespace vsq::sim;

namespace {

std::uint32_t configAddress(int bus, int device, int function, int reg) {
    return 0x80000000u | bus << 16 | device << 11 | function << 8 | reg;
}

class Chipset : public ::testing::Test {
protected:
    void use(SouthBridge kind) {
        SimConfig config;
        config.southBridge = kind;
        pc.configure(config);
    }
    std::uint32_t readConfig(int device, int function, int reg) {
        pc.out32(0xCF8, configAddress(0, device, function, reg));
        return pc.in32(0xCFC);
    }
    void writeConfig(int device, int function, int reg, std::uint32_t value) {
        pc.out32(0xCF8, configAddress(0, device, function, reg));
        pc.out32(0xCFC, value);
    }
    // A status wait bounded well beyond the controller's busy reads.
    std::uint8_t waitIntel(std::uint16_t base) {
        std::uint8_t status = pc.in8(base);
        for (int i = 0; i < 100 && (status & 0x01); ++i)
            status = pc.in8(base);
        return status;
    }
    std::uint8_t waitAli(std::uint16_t base) {
        std::uint8_t status = pc.in8(base);
        for (int i = 0; i < 100 && !(status & AliHostController::kIdle); ++i)
            status = pc.in8(base);
        return status;
    }
    void intelByteData(std::uint16_t base, std::uint8_t address7, std::uint8_t command,
                       std::uint8_t data, bool read) {
        pc.out8(base + 6, 0);
        pc.out8(base + 5, data);
        pc.out8(base + 3, command);
        pc.out8(base + 4, static_cast<std::uint8_t>(address7 << 1 | (read ? 1 : 0)));
        pc.out8(base + 0, 0x1F);
        pc.out8(base + 2, 0x48);
    }
    void aliByteData(std::uint16_t base, std::uint8_t address7, std::uint8_t command,
                     std::uint8_t data, bool read) {
        pc.out8(base + 0, 0xF0);
        pc.out8(base + 7, command);
        pc.out8(base + 3, static_cast<std::uint8_t>(address7 << 1 | (read ? 1 : 0)));
        if (!read)
            pc.out8(base + 4, data);
        pc.out8(base + 1, 0x20);
        pc.out8(base + 2, 0x00);
    }
    // Powers up on `kind` (as `config` says otherwise) with its host controller
    // enabled at the profile's base, and returns that base.
    std::uint16_t enabled(SouthBridge kind, SimConfig config = {}) {
        config.southBridge = kind;
        pc.configure(config);
        if (kind == SouthBridge::Ali) {
            writeConfig(17, 0, 0xD0, 0x400);
            writeConfig(17, 0, 0xF0, 1);
            return 0xE800;
        }
        const bool ich = kind == SouthBridge::Ich;
        writeConfig(ich ? 31 : 7, 3, ich ? 0x40 : 0xD0, 0x10000);
        return ich ? 0x0400 : 0x5000;
    }
    // A byte-data read of DEVID (0x94) from the chip at 0x54; the status its wait ends with.
    std::uint8_t readDevid(SouthBridge kind, std::uint16_t base) {
        if (kind == SouthBridge::Ali) {
            aliByteData(base, 0x54, 0x94, 0x00, true);
            return waitAli(base);
        }
        intelByteData(base, 0x54, 0x94, 0x00, true);
        return waitIntel(base);
    }

    SimulatedPc& pc = SimulatedPc::instance();
};

} // namespace

TEST_F(Chipset, ConfigurationWordsMoveAsDwords) {
    use(SouthBridge::Piix4);
    pc.out32(0xCF8, 0x7F000003 | configAddress(0, 7, 3, 0));
    EXPECT_EQ(pc.in32(0xCF8), 0xFF000003 | configAddress(0, 7, 3, 0)); // latched as written
    EXPECT_EQ(pc.in32(0xCFC), 0x71138086u);
    EXPECT_EQ(readConfig(7, 3, 0x90), 0x5001u);
    EXPECT_EQ(readConfig(7, 2, 0), 0xFFFFFFFFu); // absent function
    EXPECT_EQ(readConfig(7, 7, 0), 0xFFFFFFFFu); // the last function, apart from 3
    EXPECT_EQ(readConfig(31, 3, 0), 0xFFFFFFFFu);
    pc.out32(0xCF8, configAddress(0, 7, 3, 0) & 0x7FFFFFFF); // enable bit clear
    EXPECT_EQ(pc.in32(0xCFC), 0xFFFFFFFFu);

    // Register 0xD2 selects the dword at 0xD0; bit 16 of it is bit 0 of byte 0xD2.
    writeConfig(7, 3, 0xD2, readConfig(7, 3, 0xD2) | 0x10000);
    EXPECT_EQ(pc.pci().readConfig(0, 7, 3, 0xD0), 0x10000u);
    pc.out32(0xCF8, configAddress(0, 7, 3, 0xD0));
    EXPECT_EQ(pc.in8(0xCFE), 0x01);
    EXPECT_EQ(pc.in8(0xCFF), 0x00);

    writeConfig(7, 3, 0, 0x12345678); // the identifier cannot be written
    EXPECT_EQ(readConfig(7, 3, 0), 0x71138086u);
    writeConfig(7, 3, 0x90, 0x6000); // the I/O bit stays
    EXPECT_EQ(readConfig(7, 3, 0x90), 0x6001u);
}

TEST_F(Chipset, ProfilesPlaceTheirFunctions) {
    use(SouthBridge::Ich);
    EXPECT_EQ(readConfig(31, 3, 0), 0x24438086u);
    EXPECT_EQ(readConfig(31, 3, 0x20), 0x0401u);
    EXPECT_EQ(readConfig(7, 3, 0), 0xFFFFFFFFu);

    SimConfig config;
    config.southBridge = SouthBridge::Ich;
    config.smbusIdentifier = 0x24188086;
    config.smbusBase = 0xEF00;
    pc.configure(config);
    EXPECT_EQ(readConfig(31, 3, 0), 0x24188086u);
    EXPECT_EQ(readConfig(31, 3, 0x20), 0xEF01u);

    use(SouthBridge::Ali);
    EXPECT_EQ(readConfig(7, 3, 0), 0x153310B9u);
    EXPECT_EQ(readConfig(17, 0, 0), 0x710110B9u);
    EXPECT_EQ(readConfig(17, 0, 0xE0), 0xE8000000u);

    use(SouthBridge::None);
    for (int device = 0; device < 32; ++device)
        for (int function = 0; function < 8; ++function)
            ASSERT_EQ(readConfig(device, function, 0), 0xFFFFFFFFu);
}

TEST_F(Chipset, IntelControllerByteDataTransfers) {
    use(SouthBridge::Piix4);
    EXPECT_EQ(pc.in8(0x5000), 0xFF); // not enabled yet
    writeConfig(7, 3, 0xD2, readConfig(7, 3, 0xD2) | 0x10000);
    writeConfig(7, 3, 0x90, 0x500F); // the base decodes 16-byte aligned

    intelByteData(0x5000, 0x54, 0x10, 0x5A, false);
    EXPECT_EQ(pc.in8(0x5000) & 0x01, 0x01);
    EXPECT_EQ(waitIntel(0x5000), 0x02);
    EXPECT_EQ(pc.chip(kChipsetBus).registerValue(0x10), 0x5A);

    intelByteData(0x5000, 0x54, 0x94, 0x00, true);
    EXPECT_EQ(waitIntel(0x5000), 0x02);
    EXPECT_EQ(pc.in8(0x5005), 0x3E);
    EXPECT_EQ(pc.journal().text(kChipsetBus), "S A8+ 10+ 5A+ P S A8+ 94+ Sr A9+ 3E- P");

    // A data byte not acknowledged (the block device takes block writes only).
    intelByteData(0x5000, 0x35, 0x10, 0x5A, false);
    EXPECT_EQ(waitIntel(0x5000), 0x04);
    // Absent address: device error; write 1 to clear.
    intelByteData(0x5000, 0x20, 0x00, 0x00, true);
    EXPECT_EQ(waitIntel(0x5000), 0x04);
    pc.out8(0x5000, 0x1F);
    EXPECT_EQ(pc.in8(0x5000), 0x00);
    // An unsupported protocol ends with a device error too; so does a held line a bus error.
    pc.out8(0x5002, 0x4C);
    EXPECT_EQ(waitIntel(0x5000), 0x04);
    pc.out8(0x5000, 0x1F);
    pc.holdSdaLow(kChipsetBus, true);
    intelByteData(0x5000, 0x54, 0x94, 0x00, true);
    EXPECT_EQ(waitIntel(0x5000), 0x08);
}

TEST_F(Chipset, IntelControllerBusyForTheConfiguredStatusReads) {
    SimConfig config;
    config.hostBusyReads = 2;
    enabled(SouthBridge::Ich, config);
    intelByteData(0x0400, 0x54, 0x94, 0x00, true);
    EXPECT_EQ(pc.in8(0x0405), 0x00);                // data not there while busy
    intelByteData(0x0400, 0x54, 0x10, 0x77, false); // a start while busy is lost
    EXPECT_EQ(pc.in8(0x0400), 0x01);
    EXPECT_EQ(pc.in32(0x0400) & 0xFF, 0x01u); // a dword read is one status read
    EXPECT_EQ(pc.in8(0x0400), 0x02);
    EXPECT_EQ(pc.in8(0x0405), 0x3E);
    EXPECT_EQ(pc.journal().text(kChipsetBus), "S A8+ 94+ Sr A9+ 3E- P");
    EXPECT_EQ(pc.in8(0x0402), 0x08); // the start bit reads 0
}

TEST_F(Chipset, AliControllerByteDataTransfers) {
    use(SouthBridge::Ali);
    EXPECT_EQ(pc.in8(0xE800), 0xFF);
    writeConfig(17, 0, 0xE0, 0xE80F0000); // the base decodes 16-byte aligned
    writeConfig(17, 0, 0xD0, readConfig(17, 0, 0xD0) | 0x400);
    EXPECT_EQ(pc.in8(0xE800), 0xFF); // decode alone is not enough
    writeConfig(17, 0, 0xF0, readConfig(17, 0, 0xF0) | 1);
    EXPECT_EQ(pc.in8(0xE800), 0x04);
    writeConfig(17, 0, 0xD0, readConfig(17, 0, 0xD0) & ~0x400u);
    EXPECT_EQ(pc.in8(0xE800), 0xFF); // nor is the host enable alone
    writeConfig(17, 0, 0xD0, readConfig(17, 0, 0xD0) | 0x400);

    aliByteData(0xE800, 0x54, 0x10, 0x5A, false);
    EXPECT_EQ(pc.in8(0xE800), 0x00); // busy: the whole byte reads 0
    EXPECT_EQ(waitAli(0xE800), 0x14);
    EXPECT_EQ(pc.chip(kChipsetBus).registerValue(0x10), 0x5A);

    aliByteData(0xE800, 0x54, 0x94, 0x00, true);
    EXPECT_EQ(waitAli(0xE800), 0x14);
    EXPECT_EQ(pc.in8(0xE804), 0x3E);
    EXPECT_EQ(pc.in8(0xE807), 0x94);

    aliByteData(0xE800, 0x2F, 0x94, 0x00, true); // 0x5E: nobody there
    EXPECT_EQ(waitAli(0xE800), 0x24);
    pc.out8(0xE800, 0xFF); // only bits 4-7 clear by writing 1
    EXPECT_EQ(pc.in8(0xE800), 0x04);
    EXPECT_EQ(pc.journal().text(kChipsetBus), "S A8+ 10+ 5A+ P S A8+ 94+ Sr A9+ 3E- P S 5E- P");

    pc.out8(0xE801, 0x10); // a protocol it does not run
    pc.out8(0xE802, 0xFF);
    EXPECT_EQ(waitAli(0xE800), 0x84);
}

TEST_F(Chipset, ChipsetBusFaults) {
    enabled(SouthBridge::Ali);
    pc.startSecondMaster(kChipsetBus, 1);
    EXPECT_EQ(readDevid(SouthBridge::Ali, 0xE800), 0x44);
    EXPECT_EQ(readDevid(SouthBridge::Ali, 0xE800), 0x14);
    pc.setDevicePresent(kChipsetBus, 0xA8, false);
    EXPECT_EQ(readDevid(SouthBridge::Ali, 0xE800), 0x24);

    SimConfig config;
    config.smbusBoard = false;
    EXPECT_EQ(readDevid(SouthBridge::Piix4, enabled(SouthBridge::Piix4, config)), 0x04);
}

TEST_F(Chipset, EveryErrorStatusOfEachFamilyCanBeInjected) {
    struct Case {
        SouthBridge bridge;
        ChipsetOutcome outcome;
        std::uint8_t status; // as the wait ends
    };
    using O = ChipsetOutcome;
    const Case cases[] = {
        {SouthBridge::Piix4, O::DeviceError, 0x04}, {SouthBridge::Piix4, O::BusError, 0x08},
        {SouthBridge::Piix4, O::Failed, 0x10},      {SouthBridge::Ich, O::DeviceError, 0x04},
        {SouthBridge::Ich, O::BusError, 0x08},      {SouthBridge::Ich, O::Failed, 0x10},
        {SouthBridge::Ali, O::DeviceError, 0x24},   {SouthBridge::Ali, O::BusError, 0x44},
        {SouthBridge::Ali, O::Failed, 0x84},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.bridge) * 10 + static_cast<int>(c.outcome));
        const std::uint16_t base = enabled(c.bridge);
        const bool ali = c.bridge == SouthBridge::Ali;
        pc.failChipsetTransfers(c.outcome, 1);
        EXPECT_EQ(readDevid(c.bridge, base), c.status);
        EXPECT_EQ(pc.journal().text(kChipsetBus), "") << "a failed transfer reaches no device";
        pc.out8(base, ali ? 0xF0 : 0x1E);
        EXPECT_EQ(readDevid(c.bridge, base), ali ? 0x14 : 0x02) << "only the next transfer fails";
    }
}
