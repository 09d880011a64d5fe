// The QEMU test-protocol backend's own failure roads, with small shell peers in
// QEMU's place (the chipset tests run it against QEMU itself).

#include "platform/qtest_port_io.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace vsq::platform;

namespace {

std::shared_ptr<QtestPortIo> shellPeer(const std::string& script) {
    return std::make_shared<QtestPortIo>(std::vector<std::string>{"sh", "-c", script});
}

// Answers like QEMU: "OK" to writes, a value to reads, an interrupt notice
// before one answer, and a refusal for anything else. Deaf to SIGTERM, as a
// hung QEMU is, so closing must end it harder.
constexpr const char* kProtocolPeer = R"(
trap '' TERM
while read verb port value; do
  case "$verb" in
    endianness) echo "OK little" ;;
    inb) echo "IRQ raise 9"; echo "OK 0x00a5" ;;
    inl) echo "OK 0xdeadbeef" ;;
    outb|outl) echo "OK" ;;
    *) echo "FAIL Unknown command" ;;
  esac
done)";

// Whether `done` comes true within a generous while.
template <class Done> bool eventually(Done done) {
    for (auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
         std::chrono::steady_clock::now() < giveUp;
         std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (done())
            return true;
    return false;
}

bool noChildLeft() {
    siginfo_t ended{};
    return ::waitid(P_ALL, 0, &ended, WEXITED | WNOHANG | WNOWAIT) != 0 && errno == ECHILD;
}

} // namespace

TEST(QtestPortIo, ChosenByNameAndSpeaksTheProtocol) {
    EXPECT_EQ(makePortIoBackend("qtest")->name(), "qtest");
    auto peer = shellPeer(kProtocolPeer);
    EXPECT_TRUE(peer->accessAllowed()) << peer->failure();
    EXPECT_EQ(peer->in8(0xB100), 0xA5);
    EXPECT_EQ(peer->in32(0xCFC), 0xDEADBEEFu);
    EXPECT_NO_THROW(peer->out8(0xB102, 0x48));
    EXPECT_NO_THROW(peer->out32(0xCF8, 0x80000B00));
    testing::internal::CaptureStderr();
    peer.reset(); // closing it ends it, and that is no failure to tell
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// No QEMU on the path: the program goes on without the chipset SMBus, and says
// why once on standard error.
TEST(QtestPortIo, APeerThatCannotStartRefusesAccessClearly) {
    char pattern[] = "/tmp/qtest_empty_path_XXXXXX";
    const std::string emptyFolder = ::mkdtemp(pattern);
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", emptyFolder.c_str(), 1);
    QtestPortIo missing;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(missing.accessAllowed());
    EXPECT_FALSE(missing.accessAllowed());
    EXPECT_THROW(missing.in8(0xCF8), PortIoError);
    const std::string said = testing::internal::GetCapturedStderr();
    ::setenv("PATH", path.c_str(), 1);
    ::rmdir(emptyFolder.c_str());
    EXPECT_EQ(said, missing.failure() + "\n");
    EXPECT_EQ(said.rfind("QEMU test interface: cannot start qemu-system-x86_64: not found", 0), 0u)
        << said;
    EXPECT_NE(said.find("; the chipset SMBus is not searched\n"), std::string::npos) << said;
}

TEST(QtestPortIo, APeerThatEndsTurnsAccessesIntoErrorsNotCrashes) {
    // Answers the handshake, complains and leaves.
    auto peer = shellPeer("read line; echo 'OK little'; echo 'machine gone' >&2; exit 0");
    testing::internal::CaptureStderr(); // it may end before the next line runs
    ASSERT_TRUE(peer->accessAllowed()) << peer->failure();
    // Reaped and said while nothing is asked of it: no child of ours is left.
    EXPECT_TRUE(eventually(noChildLeft)) << "the ended peer is left a zombie";
    EXPECT_NE(peer->failure(), "");
    try {
        peer->out8(0x80, 1);
        peer->out8(0x80, 2); // a write into the closed socket must not kill the process
        ADD_FAILURE() << "an access to a peer that has ended must raise";
    } catch (const PortIoError& e) {
        EXPECT_NE(std::string(e.what()).find("the peer ended: machine gone (command: "),
                  std::string::npos)
            << e.what();
    }
    EXPECT_FALSE(peer->accessAllowed());
    EXPECT_THROW(peer->in8(0x80), PortIoError);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, peer->failure() + "\n");
    EXPECT_NE(said.find("; the chipset SMBus is not reached any more"), std::string::npos) << said;

    // One that ends while it is asked: that access tells it at once.
    auto asked = shellPeer("read line; echo 'OK little'; read request; exit 0");
    ASSERT_TRUE(asked->accessAllowed()) << asked->failure();
    testing::internal::CaptureStderr();
    EXPECT_THROW(asked->in8(0x80), PortIoError);
    testing::internal::GetCapturedStderr();
    EXPECT_NE(asked->failure().find(": the peer ended (command: "), std::string::npos)
        << asked->failure();

    // One that hangs up but stays: the access tells why it cannot send, and the
    // watcher that reaps it once the access has ended it says no more.
    char pattern[] = "/tmp/qtest_hung_up_XXXXXX";
    const std::string folder = ::mkdtemp(pattern), hungUpMark = folder + "/hung-up";
    auto hungUp = shellPeer("read line; echo 'OK little'; exec <&- >&-; : >" + hungUpMark +
                            "; exec sleep 60");
    ASSERT_TRUE(hungUp->accessAllowed()) << hungUp->failure();
    ASSERT_TRUE(eventually([&] { return ::access(hungUpMark.c_str(), F_OK) == 0; }));
    testing::internal::CaptureStderr();
    EXPECT_THROW(hungUp->out8(0x80, 1), PortIoError);
    EXPECT_TRUE(eventually(noChildLeft)) << "the ended peer is left a zombie";
    EXPECT_NE(hungUp->failure().find(": cannot send \"outb 0x80 0x1\": "), std::string::npos)
        << hungUp->failure();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), hungUp->failure() + "\n");
    ::unlink(hungUpMark.c_str());
    ::rmdir(folder.c_str());
}
