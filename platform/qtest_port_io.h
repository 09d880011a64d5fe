#pragma once
// Port I/O on a QEMU machine through QEMU's test protocol: each access is one
// line ("outb ADDR VAL", "inb ADDR", "outl ADDR VAL", "inl ADDR") answered by
// "OK" or, for reads, "OK 0x...". Either the backend starts QEMU's `pc` machine
// itself, stopped before its firmware runs, or it talks to one the caller started.
// A peer that cannot be started, ends, or stops answering turns every later
// access into a PortIoError; accessAllowed() is then false, and the reason is
// said once on standard error. A QEMU it started is watched: one that ends
// while nothing is asked of it is reaped at once, and its end said then.

#include "platform/port_io.h"

#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

namespace vsq::platform {

class QtestPortIo : public PortIoBackend {
public:
    // The QEMU command line started by default.
    static std::vector<std::string> defaultCommand();

    // Starts `command` at the first access; it must speak the test protocol on
    // its standard input and output.
    explicit QtestPortIo(std::vector<std::string> command = defaultCommand());
    // Talks over `socketFd`, a connected stream socket to the test interface of
    // a QEMU the caller started (for example with -qtest unix:PATH). Takes
    // ownership of the descriptor; the caller keeps the process.
    static std::shared_ptr<QtestPortIo> overSocket(int socketFd);

    ~QtestPortIo() override;
    QtestPortIo(const QtestPortIo&) = delete;
    QtestPortIo& operator=(const QtestPortIo&) = delete;

    std::string name() const override { return "qtest"; }
    // Starts the peer if needed; false when it could not be started or has gone.
    bool accessAllowed() override;
    std::uint8_t in8(std::uint16_t port) override;
    void out8(std::uint16_t port, std::uint8_t value) override;
    std::uint32_t in32(std::uint16_t port) override;
    void out32(std::uint16_t port, std::uint32_t value) override;

    // Why the peer is unusable; empty while it answers.
    std::string failure() const;

private:
    struct Attached {};
    QtestPortIo(Attached, int socketFd);

    static std::string programPath(const std::string& name);
    void start();
    void launch();
    void require();
    void stop();
    void endChild();
    void watch(pid_t child);
    void note(const std::string& why);
    [[noreturn]] void fail(const std::string& why);
    std::string peerEnded();
    std::uint32_t request(const std::string& line);
    std::string readLine(int timeoutMs);
    void drainErrors(int timeoutMs);

    // Held by every access and by the watcher of the started QEMU.
    mutable std::mutex lock_;
    std::thread watcher_;
    bool closing_ = false;
    std::vector<std::string> command_;
    int socket_ = -1;
    int errorPipe_ = -1;
    pid_t child_ = -1;
    bool started_ = false;
    bool answered_ = false;
    std::string failure_;
    std::string received_;
    std::string errorTail_;
};

} // namespace vsq::platform
