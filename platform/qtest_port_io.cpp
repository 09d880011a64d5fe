#include "platform/qtest_port_io.h"

#include "platform/setup_report.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vsq::platform {
namespace {

// QEMU takes a while to come up under a loaded machine; later answers are immediate.
constexpr int kFirstAnswerTimeoutMs = 30000;
constexpr int kAnswerTimeoutMs = 10000;
// What is kept of the peer's error output, to say why it ended.
constexpr std::size_t kErrorTailLength = 2000;

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

std::string joined(const std::vector<std::string>& words) {
    std::string line;
    for (const auto& word : words)
        line += (line.empty() ? "" : " ") + word;
    return line;
}

} // namespace

std::vector<std::string> QtestPortIo::defaultCommand() {
    // -S keeps the firmware from running (and from moving the SMBus base);
    // -qtest-log keeps QEMU from echoing every line on its error output.
    return {"qemu-system-x86_64", "-M",        "pc",       "-S",   "-qtest",      "stdio",
            "-qtest-log",         "/dev/null", "-display", "none", "-nodefaults", "-machine",
            "accel=tcg"};
}

QtestPortIo::QtestPortIo(std::vector<std::string> command) : command_(std::move(command)) {}

QtestPortIo::QtestPortIo(Attached, int socketFd) : socket_(socketFd) {}

std::shared_ptr<QtestPortIo> QtestPortIo::overSocket(int socketFd) {
    return std::shared_ptr<QtestPortIo>(new QtestPortIo(Attached{}, socketFd));
}

QtestPortIo::~QtestPortIo() {
    {
        std::lock_guard guard(lock_);
        closing_ = true;
        stop();
    }
    if (watcher_.joinable())
        watcher_.join();
}

std::string QtestPortIo::failure() const {
    std::lock_guard guard(lock_);
    return failure_;
}

bool QtestPortIo::accessAllowed() {
    std::lock_guard guard(lock_);
    if (!started_) {
        try {
            start();
        } catch (const PortIoError&) {
            // failure_ holds the reason; the caller only asks whether it may go on.
        }
    }
    return failure_.empty();
}

// The program file of `name`: as given when it holds a slash, else the first
// executable of that name on PATH; empty when there is none.
std::string QtestPortIo::programPath(const std::string& name) {
    if (name.find('/') != std::string::npos)
        return access(name.c_str(), X_OK) == 0 ? name : "";
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t from = 0; from <= folders.size();) {
        std::size_t to = folders.find(':', from);
        if (to == std::string::npos)
            to = folders.size();
        std::string candidate = folders.substr(from, to - from) + "/" + name;
        if (to > from && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        from = to + 1;
    }
    return "";
}

void QtestPortIo::start() {
    started_ = true;
    if (socket_ < 0)
        launch();
    // A harmless question proves that the peer speaks the protocol.
    request("endianness");
}

void QtestPortIo::launch() {
    if (command_.empty())
        fail("no QEMU command to start");
    const std::string program = programPath(command_.front());
    if (program.empty())
        fail("cannot start " + command_.front() + ": not found");
    std::vector<char*> argv;
    for (auto& word : command_)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int sockets[2], errors[2], execResult[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
        fail(std::string("socketpair: ") + std::strerror(errno));
    socket_ = sockets[0];
    if (pipe2(errors, O_CLOEXEC) != 0) {
        close(sockets[1]);
        fail(std::string("pipe: ") + std::strerror(errno));
    }
    errorPipe_ = errors[0];
    if (pipe2(execResult, O_CLOEXEC) != 0) {
        close(sockets[1]);
        close(errors[1]);
        fail(std::string("pipe: ") + std::strerror(errno));
    }
    const pid_t parent = getpid();
    child_ = fork();
    if (child_ == 0) {
        // Only async-signal-safe calls from here to exec. The machine ends with
        // this process, even if it ends without closing down.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        dup2(sockets[1], STDIN_FILENO);
        dup2(sockets[1], STDOUT_FILENO);
        dup2(errors[1], STDERR_FILENO);
        execv(program.c_str(), argv.data());
        int why = errno;
        [[maybe_unused]] auto written = write(execResult[1], &why, sizeof why);
        _exit(127);
    }
    const int forkError = errno;
    close(sockets[1]);
    close(errors[1]);
    close(execResult[1]);
    int execError = 0;
    ssize_t got = child_ > 0 ? read(execResult[0], &execError, sizeof execError) : 0;
    close(execResult[0]);
    if (child_ < 0)
        fail(std::string("fork: ") + std::strerror(forkError));
    if (got == sizeof execError) {
        waitpid(child_, nullptr, 0);
        child_ = -1;
        fail("cannot start " + program + ": " + std::strerror(execError));
    }
    fcntl(errorPipe_, F_SETFL, fcntl(errorPipe_, F_GETFL) | O_NONBLOCK);
    watcher_ = std::thread([this, child = child_] { watch(child); });
}

// Waits for the started QEMU to end, reaps it, and says so unless its end is
// already told (an access saw it first) or this backend is closing.
void QtestPortIo::watch(pid_t child) {
    // Waited for without reaping: its id cannot pass to another process
    // while an access may still signal it under the lock.
    siginfo_t ended{};
    while (waitid(P_PID, static_cast<id_t>(child), &ended, WEXITED | WNOWAIT) != 0 &&
           errno == EINTR) {
    }
    std::lock_guard guard(lock_);
    waitpid(child, nullptr, 0);
    child_ = -1;
    if (!closing_ && failure_.empty())
        note(peerEnded());
}

void QtestPortIo::require() {
    if (!started_)
        start();
    if (!failure_.empty())
        throw PortIoError(failure_);
}

// The first failure ends the peer for good, so it is said once, and every
// later access raises the same text.
void QtestPortIo::note(const std::string& why) {
    failure_ = "QEMU test interface: " + why;
    if (!command_.empty())
        failure_ += " (command: " + joined(command_) + ")";
    failure_ += answered_ ? "; the chipset SMBus is not reached any more"
                          : "; the chipset SMBus is not searched";
    reportSetupProblem(failure_);
}

void QtestPortIo::fail(const std::string& why) {
    note(why);
    stop();
    throw PortIoError(failure_);
}

std::string QtestPortIo::peerEnded() {
    drainErrors(500);
    // Its last words end in a new line; the report is one line.
    std::string said = errorTail_;
    while (!said.empty() && std::isspace(static_cast<unsigned char>(said.back())))
        said.pop_back();
    return "the peer ended" + (said.empty() ? "" : ": " + said);
}

// Ends the started QEMU; the watcher reaps it once the lock is free.
void QtestPortIo::endChild() {
    if (child_ <= 0)
        return;
    // One that cannot be waited for (reaped elsewhere) counts as ended.
    auto hasEnded = [this] {
        siginfo_t ended{};
        return waitid(P_PID, static_cast<id_t>(child_), &ended, WEXITED | WNOHANG | WNOWAIT) != 0 ||
               ended.si_pid != 0;
    };
    kill(child_, SIGTERM);
    auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!hasEnded()) {
        if (std::chrono::steady_clock::now() > giveUp)
            kill(child_, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void QtestPortIo::stop() {
    endChild();
    if (socket_ >= 0)
        close(socket_);
    if (errorPipe_ >= 0)
        close(errorPipe_);
    socket_ = errorPipe_ = -1;
}

void QtestPortIo::drainErrors(int timeoutMs) {
    if (errorPipe_ < 0)
        return;
    pollfd watched{errorPipe_, POLLIN, 0};
    char buffer[4096];
    while (poll(&watched, 1, timeoutMs) > 0) {
        ssize_t n = read(errorPipe_, buffer, sizeof buffer);
        if (n <= 0)
            return;
        errorTail_.append(buffer, static_cast<std::size_t>(n));
        if (errorTail_.size() > kErrorTailLength)
            errorTail_.erase(0, errorTail_.size() - kErrorTailLength);
    }
}

std::string QtestPortIo::readLine(int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        auto end = received_.find('\n');
        if (end != std::string::npos) {
            std::string line = received_.substr(0, end);
            received_.erase(0, end + 1);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0)
            fail("no answer within " + std::to_string(timeoutMs / 1000) + " s");
        pollfd watched[2] = {{socket_, POLLIN, 0}, {errorPipe_, POLLIN, 0}};
        int ready = poll(watched, errorPipe_ >= 0 ? 2 : 1, static_cast<int>(left));
        if (ready < 0 && errno != EINTR)
            fail(std::string("poll: ") + std::strerror(errno));
        // Drained on every pass so a talkative peer never blocks on a full pipe.
        if (errorPipe_ >= 0 && (watched[1].revents & (POLLIN | POLLHUP)))
            drainErrors(0);
        char buffer[4096];
        if (watched[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            ssize_t n = recv(socket_, buffer, sizeof buffer, 0);
            if (n > 0)
                received_.append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                fail(peerEnded());
        }
    }
}

std::uint32_t QtestPortIo::request(const std::string& line) {
    std::string sent = line + "\n";
    for (std::size_t done = 0; done < sent.size();) {
        ssize_t n = send(socket_, sent.data() + done, sent.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail("cannot send \"" + line + "\": " + std::strerror(errno));
        done += static_cast<std::size_t>(n);
    }
    std::string answer;
    do // interrupt notices may come between a request and its answer
        answer = readLine(answered_ ? kAnswerTimeoutMs : kFirstAnswerTimeoutMs);
    while (answer.rfind("IRQ", 0) == 0);
    answered_ = true;
    if (answer.rfind("OK", 0) != 0)
        throw PortIoError("QEMU test interface refused \"" + line + "\": " + answer);
    auto value = answer.find("0x");
    return value == std::string::npos
               ? 0
               : static_cast<std::uint32_t>(std::strtoul(answer.c_str() + value, nullptr, 16));
}

std::uint8_t QtestPortIo::in8(std::uint16_t port) {
    std::lock_guard guard(lock_);
    require();
    return static_cast<std::uint8_t>(request("inb " + hex(port)));
}

void QtestPortIo::out8(std::uint16_t port, std::uint8_t value) {
    std::lock_guard guard(lock_);
    require();
    request("outb " + hex(port) + " " + hex(value));
}

std::uint32_t QtestPortIo::in32(std::uint16_t port) {
    std::lock_guard guard(lock_);
    require();
    return request("inl " + hex(port));
}

void QtestPortIo::out32(std::uint16_t port, std::uint32_t value) {
    std::lock_guard guard(lock_);
    require();
    request("outl " + hex(port) + " " + hex(value));
}

} // namespace vsq::platform
