// Real parallel ports through Linux ppdev (/dev/parportN). Port number n is
// /dev/parport(n-1); its base address comes from /proc/sys/dev/parport. Only
// the data, status and control registers of a claimed port are reachable:
// every other address is refused, never passed on.

#include "platform/parport/parport_backend.h"

#include <fcntl.h>
#include <fstream>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <map>
#include <sys/ioctl.h>
#include <unistd.h>

namespace vsq::parport {
namespace {

class PpdevParportBackend : public ParportBackend {
public:
    ~PpdevParportBackend() override {
        for (auto& [number, fd] : claimed_) {
            ioctl(fd, PPRELEASE);
            close(fd);
        }
    }

    int portCount() override {
        int count = 0;
        while (access(devicePath(count + 1).c_str(), F_OK) == 0)
            ++count;
        return count;
    }

    std::optional<std::uint32_t> baseAddress(int portNumber) override {
        if (portNumber < 1)
            return std::nullopt;
        std::ifstream in("/proc/sys/dev/parport/parport" + std::to_string(portNumber - 1) +
                         "/base-addr");
        unsigned long base = 0;
        if (!(in >> base))
            return std::nullopt;
        return static_cast<std::uint32_t>(base);
    }

    bool claim(int portNumber) override {
        if (claimed_.count(portNumber))
            return true;
        auto base = baseAddress(portNumber);
        if (!base)
            return false;
        int fd = open(devicePath(portNumber).c_str(), O_RDWR);
        if (fd < 0)
            return false;
        if (ioctl(fd, PPCLAIM) != 0) {
            close(fd);
            return false;
        }
        claimed_[portNumber] = fd;
        bases_[portNumber] = static_cast<std::uint16_t>(*base);
        return true;
    }

    void release(int portNumber) override {
        auto it = claimed_.find(portNumber);
        if (it == claimed_.end())
            return;
        ioctl(it->second, PPRELEASE);
        close(it->second);
        claimed_.erase(it);
    }

    std::uint8_t inByte(std::uint16_t address) override {
        int offset = 0;
        int fd = claimedFor(address, offset);
        unsigned char value = 0xFF;
        if (fd < 0)
            return value;
        int request = offset == 0 ? PPRDATA : offset == 1 ? PPRSTATUS : PPRCONTROL;
        ioctl(fd, request, &value);
        return value;
    }

    void outByte(std::uint16_t address, std::uint8_t value) override {
        int offset = 0;
        int fd = claimedFor(address, offset);
        if (fd < 0 || offset == 1)
            return;
        unsigned char byte = value;
        ioctl(fd, offset == 0 ? PPWDATA : PPWCONTROL, &byte);
    }

private:
    static std::string devicePath(int portNumber) {
        return "/dev/parport" + std::to_string(portNumber - 1);
    }

    int claimedFor(std::uint16_t address, int& offset) {
        for (auto& [number, fd] : claimed_) {
            std::uint16_t base = bases_[number];
            if (address >= base && address <= base + 2) {
                offset = address - base;
                return fd;
            }
        }
        return -1;
    }

    std::map<int, int> claimed_;
    std::map<int, std::uint16_t> bases_;
};

} // namespace

std::unique_ptr<ParportBackend> makePpdevParportBackend() {
    return std::make_unique<PpdevParportBackend>();
}

} // namespace vsq::parport
