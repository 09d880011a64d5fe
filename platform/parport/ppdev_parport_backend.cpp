// Real parallel ports through Linux ppdev. The ports are those of the kernel's
// list (/proc/sys/dev/parport/parportN, N ascending): port number n is the
// n-th of them, its device /dev/parportN and its base address that folder's
// base-addr. Each device is opened once per run (close-on-exec) at its first
// claim and kept open; a claim and a release are PPCLAIM and PPRELEASE on it,
// so the kernel registers the port device once and the control register is not
// reset between transactions. Only the data, status and control registers of a
// claimed port are reachable: every other address is refused, never passed on.
// Whatever keeps a port from being used is said once on standard error.

#include "platform/parport/parport_backend.h"
#include "platform/setup_report.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <map>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace vsq::parport {
namespace {

// Register offsets from a port's base.
constexpr int kData = 0;
constexpr int kStatus = 1;
constexpr int kControl = 2;

class PpdevParportBackend : public ParportBackend {
public:
    explicit PpdevParportBackend(PpdevSystem system) : system_(std::move(system)) {}

    ~PpdevParportBackend() override {
        for (auto& [number, port] : ports_) {
            if (port.claimed)
                system_.ioctl(port.fd, PPRELEASE, nullptr);
            if (port.fd >= 0)
                system_.close(port.fd);
        }
    }

    int portCount() override {
        const auto count = static_cast<int>(kernelPorts().size());
        if (count == 0)
            platform::reportSetupProblem(
                "parallel port: the kernel lists none in " + system_.portListFolder +
                " (no /dev/parportN to use; load the parport_pc and ppdev modules)");
        return count;
    }

    std::optional<std::uint32_t> baseAddress(int portNumber) override {
        const auto kernelNumber = kernelNumberOf(portNumber);
        if (!kernelNumber)
            return std::nullopt;
        const std::string path =
            system_.portListFolder + "/parport" + std::to_string(*kernelNumber) + "/base-addr";
        std::ifstream in(path);
        std::string first;
        in >> first;
        std::uint32_t base = 0;
        const auto* last = first.data() + first.size();
        const auto [end, error] = std::from_chars(first.data(), last, base);
        if (first.empty() || error != std::errc() || end != last || base == 0 || base > 0xFFFF) {
            platform::reportSetupProblem(devicePath(*kernelNumber) + ": no base address in " +
                                         path + "; the port cannot be used");
            return std::nullopt;
        }
        return base;
    }

    bool claim(int portNumber) override {
        Port* port = opened(portNumber);
        if (port == nullptr)
            return false;
        if (port->claimed)
            return true;
        if (system_.ioctl(port->fd, PPCLAIM, nullptr) != 0) {
            platform::reportSetupProblem(port->path + ": claim refused (" + std::strerror(errno) +
                                         ")");
            return false;
        }
        port->claimed = true;
        return true;
    }

    void release(int portNumber) override {
        auto it = ports_.find(portNumber);
        if (it == ports_.end() || !it->second.claimed)
            return;
        system_.ioctl(it->second.fd, PPRELEASE, nullptr);
        it->second.claimed = false;
    }

    std::uint8_t inByte(std::uint16_t address) override {
        int offset = 0;
        const Port* port = claimedFor(address, offset);
        unsigned char value = 0xFF;
        if (port == nullptr)
            return value;
        const unsigned long request = offset == kData     ? PPRDATA
                                      : offset == kStatus ? PPRSTATUS
                                                          : PPRCONTROL;
        system_.ioctl(port->fd, request, &value);
        return value;
    }

    void outByte(std::uint16_t address, std::uint8_t value) override {
        int offset = 0;
        const Port* port = claimedFor(address, offset);
        if (port == nullptr || offset == kStatus)
            return;
        unsigned char byte = value;
        system_.ioctl(port->fd, offset == kData ? PPWDATA : PPWCONTROL, &byte);
    }

private:
    struct Port {
        std::string path;
        int fd = -1;
        std::uint16_t base = 0;
        bool claimed = false;
    };

    std::string devicePath(int kernelNumber) const {
        return system_.deviceFolder + "/parport" + std::to_string(kernelNumber);
    }

    // The kernel's port numbers, ascending.
    std::vector<int> kernelPorts() const {
        std::vector<int> numbers;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(system_.portListFolder, ec)) {
            const std::string name = entry.path().filename().string();
            int number = 0;
            const auto* last = name.data() + name.size();
            if (name.rfind("parport", 0) == 0 &&
                std::from_chars(name.data() + 7, last, number).ptr == last && name.size() > 7)
                numbers.push_back(number);
        }
        std::sort(numbers.begin(), numbers.end());
        return numbers;
    }

    std::optional<int> kernelNumberOf(int portNumber) const {
        const auto numbers = kernelPorts();
        if (portNumber < 1 || portNumber > static_cast<int>(numbers.size()))
            return std::nullopt;
        return numbers[portNumber - 1];
    }

    // The port's device, opened at its first use and kept for the run; null
    // when it cannot be used (said once).
    Port* opened(int portNumber) {
        if (auto it = ports_.find(portNumber); it != ports_.end())
            return it->second.fd >= 0 ? &it->second : nullptr;
        Port& port = ports_[portNumber];
        const auto kernelNumber = kernelNumberOf(portNumber);
        if (!kernelNumber)
            return nullptr;
        port.path = devicePath(*kernelNumber);
        const auto base = baseAddress(portNumber);
        if (!base)
            return nullptr;
        port.base = static_cast<std::uint16_t>(*base);
        port.fd = system_.open(port.path, O_RDWR | O_CLOEXEC);
        if (port.fd < 0) {
            const int why = errno;
            std::string text = port.path + ": cannot open (" + std::strerror(why) + ")";
            if (why == EACCES || why == EPERM)
                text += "; the user needs access to " + port.path + ", usually the lp group";
            else if (why == ENOENT || why == ENODEV || why == ENXIO)
                text += "; load the ppdev module";
            platform::reportSetupProblem(text);
            return nullptr;
        }
        return &port;
    }

    const Port* claimedFor(std::uint16_t address, int& offset) const {
        for (const auto& [number, port] : ports_) {
            if (port.claimed && address >= port.base && address <= port.base + kControl) {
                offset = address - port.base;
                return &port;
            }
        }
        return nullptr;
    }

    PpdevSystem system_;
    std::map<int, Port> ports_;
};

} // namespace

PpdevSystem realPpdevSystem() {
    PpdevSystem system;
    system.open = [](const std::string& path, int flags) { return ::open(path.c_str(), flags); };
    system.close = [](int fd) { return ::close(fd); };
    system.ioctl = [](int fd, unsigned long request, void* argument) {
        return ::ioctl(fd, request, argument);
    };
    return system;
}

std::unique_ptr<ParportBackend> makePpdevParportBackend(PpdevSystem system) {
    return std::make_unique<PpdevParportBackend>(std::move(system));
}

} // namespace vsq::parport
