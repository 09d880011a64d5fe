// Halvicor and the SMBus chipset medium against a real peer: QEMU's pc machine
// through its test protocol. Its PIIX4 power-management function (00:01.3)
// carries a live SMBus at the base in configuration register 0x90, with
// writable EEPROMs at 0x50-0x57; an absent address sets the device-error bit.

#include "comms/SMBus.h"
#include "platform/port_io.h"
#include "platform/qtest_port_io.h"
#include "smbushost/halvicor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace vsq::platform;

namespace {

constexpr std::int32_t kPiix4 = 0x71138086;
constexpr std::int32_t kIntelType = 1;
constexpr std::int32_t kEeprom = 0x50;
constexpr std::int32_t kAbsent = 0x58;

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
    return false;
}

class ChipsetOnQemu : public ::testing::Test {
protected:
    void SetUp() override {
        if (!onPath(QtestPortIo::defaultCommand().front()))
            GTEST_SKIP() << "qemu-system-x86_64 is not installed; the chipset SMBus is tested "
                            "against the simulator only (install qemu-system-x86 to run this)";
        auto backend = makePortIoBackend("qtest");
        ASSERT_TRUE(backend->accessAllowed())
            << std::static_pointer_cast<QtestPortIo>(backend)->failure();
        previous_ = installPortIo(backend);
    }
    void TearDown() override { installPortIo(previous_); }

    std::shared_ptr<PortIoBackend> previous_;
};

} // namespace

// Enabling the host writes configuration register 0xD2, an address whose low
// bits this host bridge keeps; later searches must not inherit them.
TEST_F(ChipsetOnQemu, HalvicorFindsThePiix4AndItsBaseAndLaterSearchesStillFindThem) {
    EXPECT_EQ(ReadPCI(0, 1, 3, 0), kPiix4);
    const std::int32_t baseRegister = ReadPCI(0, 1, 3, 0x90);
    ASSERT_EQ(baseRegister & 1, 1) << "the SMBus base register must be an I/O base";

    EXPECT_EQ(SouthBridgeType(), kIntelType);
    EXPECT_EQ(GetSMBBA(), baseRegister - 1);
    // The host enable (configuration byte 0xD2, bit 0) is on afterwards.
    EXPECT_EQ(ReadPCI(0, 1, 3, 0xD0) & 0x10000, 0x10000);
    brisendal::SMBus first;
    brisendal::SMBus second;
    EXPECT_EQ(second.DeviceID(), kPiix4);
    EXPECT_EQ(second.SMBusBaseAddress(), first.SMBusBaseAddress());
    EXPECT_EQ(GetSMBBA(), first.SMBusBaseAddress());
    EXPECT_EQ(ReadPCI(0, 1, 3, 0x90) - 1, first.SMBusBaseAddress());
}

TEST_F(ChipsetOnQemu, HalvicorByteDataTransfersReachTheEeprom) {
    const std::int32_t base = GetSMBBA();
    ASSERT_NE(base, 0xFFFF);

    WriteSMB(base, kIntelType, kEeprom, 0x10, 0x5A);
    EXPECT_EQ(ReadSMB(base, kIntelType, kEeprom, 0x10), 0x5A);
    WriteSMB(base, kIntelType, kEeprom, 0x11, 0xA5);
    EXPECT_EQ(ReadSMB(base, kIntelType, kEeprom, 0x11), -91) << "data bytes come sign-extended";
    EXPECT_EQ(ReadSMB(base, kIntelType, kEeprom, 0x10), 0x5A) << "the second write kept the first";

    EXPECT_EQ(DevFound(base, kIntelType, kEeprom), 1);
    EXPECT_EQ(DevFound(base, kIntelType, kAbsent), 0);
    // The data register still holds 0x5A; a read the device does not answer gives 0.
    EXPECT_EQ(ReadSMB(base, kIntelType, kAbsent, 0x10), 0);
    EXPECT_EQ(ReadByBase(base) & 0x04, 0x04) << "device error reported for the absent address";
}

TEST_F(ChipsetOnQemu, MediumFindsTheControllerAndWritesAndReads) {
    brisendal::SMBus bus;
    EXPECT_EQ(bus.DeviceID(), kPiix4);
    EXPECT_EQ(bus.SMBusBaseAddress(), ReadPCI(0, 1, 3, 0x90) - 1);

    bus.PortWrite(kEeprom, 0x10, 0x5A);
    EXPECT_EQ(bus.PortRead(kEeprom, 0x10), 0x5A);
    bus.PortWrite(kEeprom + 1, 0x00, 0xC3);
    bus.PortWrite(kEeprom + 1, 0x01, 0x3C);
    EXPECT_EQ(bus.PortRead(kEeprom + 1, 0x00), 0xC3);
    EXPECT_EQ(bus.PortRead(kEeprom + 1, 0x01), 0x3C);
    // 8-bit addresses lose their top bit: 0xD0 reaches 0x50.
    EXPECT_EQ(bus.PortRead(0xD0, 0x10), 0x5A);

    EXPECT_TRUE(bus.DevicePresent(kEeprom));
    EXPECT_FALSE(bus.DevicePresent(kAbsent));
    EXPECT_EQ(bus.PortRead(kAbsent, 0x10), 0) << "a failed read must not return the last byte";
    EXPECT_FALSE(brisendal::SMBus::FrameInProgress());
}

// The backend also talks to a QEMU that a test started and owns.
TEST(ChipsetOnQemuStartedByTheTest, BackendTalksOverTheGivenSocket) {
    auto command = QtestPortIo::defaultCommand();
    if (!onPath(command.front()))
        GTEST_SKIP() << "qemu-system-x86_64 is not installed";
    int sockets[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, sockets[1], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, sockets[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (auto& word : command)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t qemu = -1;
    ASSERT_EQ(posix_spawnp(&qemu, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(sockets[1]);

    auto backend = QtestPortIo::overSocket(sockets[0]);
    auto previous = installPortIo(backend);
    EXPECT_TRUE(backend->accessAllowed()) << backend->failure();
    EXPECT_EQ(SouthBridgeType(), kIntelType);
    installPortIo(previous);

    kill(qemu, SIGTERM);
    waitpid(qemu, nullptr, 0);
}
