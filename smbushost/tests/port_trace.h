#pragma once
// A port I/O backend for tests that passes every access on to the simulated PC
// and keeps a trace of it, so a test sees the exact register sequence beside
// the simulator's bus journal. Installed for the life of the object. With
// access refused it behaves like raw ports without permission: every access
// raises PortIoError (and is still traced).

#include "platform/port_io.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace vsq::testsupport {

struct PortAccess {
    enum Kind { In8, Out8, In32, Out32 } kind;
    std::uint16_t port;
    std::uint32_t value;
    bool operator==(const PortAccess&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const PortAccess& a) {
    static const char* names[] = {"in8", "out8", "in32", "out32"};
    return out << names[a.kind] << " 0x" << std::hex << a.port << " = 0x" << a.value << std::dec;
}

class PortTrace : public platform::PortIoBackend {
public:
    explicit PortTrace(bool allowed = true)
        : inner_(platform::makePortIoBackend("sim")), allowed_(allowed) {
        previous_ = platform::installPortIo(
            std::shared_ptr<platform::PortIoBackend>(this, [](platform::PortIoBackend*) {}));
    }
    ~PortTrace() override { platform::installPortIo(previous_); }
    PortTrace(const PortTrace&) = delete;
    PortTrace& operator=(const PortTrace&) = delete;

    std::string name() const override { return "trace"; }
    bool accessAllowed() override { return allowed_; }
    std::uint8_t in8(std::uint16_t port) override {
        check(PortAccess::In8, port);
        return static_cast<std::uint8_t>(accesses.back().value = inner_->in8(port));
    }
    void out8(std::uint16_t port, std::uint8_t value) override {
        check(PortAccess::Out8, port, value);
        inner_->out8(port, value);
    }
    std::uint32_t in32(std::uint16_t port) override {
        check(PortAccess::In32, port);
        return accesses.back().value = inner_->in32(port);
    }
    void out32(std::uint16_t port, std::uint32_t value) override {
        check(PortAccess::Out32, port, value);
        inner_->out32(port, value);
    }

    // The byte writes as "port:value" words in hexadecimal, "5003:10 5004:A8".
    std::string byteWrites() const {
        std::string text;
        char word[16];
        for (const PortAccess& a : accesses)
            if (a.kind == PortAccess::Out8) {
                std::snprintf(word, sizeof word, " %04X:%02X", a.port, a.value);
                text += word;
            }
        return text.empty() ? text : text.substr(1);
    }
    std::size_t count(PortAccess::Kind kind, std::uint16_t port) const {
        return std::count_if(accesses.begin(), accesses.end(),
                             [&](const PortAccess& a) { return a.kind == kind && a.port == port; });
    }

    std::vector<PortAccess> accesses;
    // Called as each access begins, to let time pass during it.
    std::function<void(const PortAccess&)> onAccess;

private:
    void check(PortAccess::Kind kind, std::uint16_t port, std::uint32_t value = 0) {
        accesses.push_back({kind, port, value});
        if (onAccess)
            onAccess(accesses.back());
        if (!allowed_)
            throw platform::PortIoError("port access refused");
    }

    std::shared_ptr<platform::PortIoBackend> inner_;
    std::shared_ptr<platform::PortIoBackend> previous_;
    bool allowed_;
};

} // namespace vsq::testsupport
