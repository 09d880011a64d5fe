// The simulated PC's parallel ports, as the driver library presents them: as
// ppdev does a real port, so a test on the simulator means what it means on
// hardware. Through ppdev only the four line bits of the control register
// (0-3) are read and written; the others read 0 and are kept by the kernel.

#include "platform/parport/parport_backend.h"
#include "sim/simulated_pc.h"

namespace vsq::parport {
namespace {

class SimParportBackend : public ParportBackend {
public:
    int portCount() override { return pc_.parallelPortCount(); }
    std::optional<std::uint32_t> baseAddress(int portNumber) override {
        return pc_.parallelPortBase(portNumber);
    }
    bool claim(int portNumber) override { return pc_.claimParallelPort(portNumber); }
    void release(int portNumber) override { pc_.releaseParallelPort(portNumber); }
    // A bus edge writes one register many times running, so which bits pass
    // is kept for the last address until the PC is configured anew; the
    // check is all a repeated access adds to the simulator's own.
    std::uint8_t inByte(std::uint16_t address) override {
        if (!resolved(address)) [[unlikely]]
            resolve(address);
        return pc_.in8(address) & lastLines_;
    }
    void outByte(std::uint16_t address, std::uint8_t value) override {
        if (resolved(address)) [[likely]]
            return pc_.out8(address, value & lastLines_);
        resolveAndWrite(address, value);
    }

private:
    static constexpr std::uint8_t kControlLines = 0x0F;
    static constexpr std::uint8_t kAllLines = 0xFF;

    bool resolved(std::uint16_t address) const {
        return address == lastAddress_ && configuration_ == pc_.configurations();
    }
    // The bits of `address` that pass: the control lines at a control
    // register, all eight elsewhere.
    [[gnu::noinline]] void resolve(std::uint16_t address) {
        lastLines_ = kAllLines;
        for (int number = 1; number <= pc_.parallelPortCount(); ++number)
            if (const auto base = pc_.parallelPortBase(number); base && *base + 2 == address)
                lastLines_ = kControlLines;
        lastAddress_ = address;
        configuration_ = pc_.configurations();
    }
    // Out of line with its write, so the common write is a jump into the
    // simulator that keeps no registers.
    [[gnu::noinline]] void resolveAndWrite(std::uint16_t address, std::uint8_t value) {
        resolve(address);
        pc_.out8(address, value & lastLines_);
    }

    sim::SimulatedPc& pc_ = sim::SimulatedPc::instance();
    std::uint16_t lastAddress_ = 0;
    std::uint8_t lastLines_ = kAllLines;
    std::uint64_t configuration_ = 0; // none resolved yet: the PC counts from 1
};

} // namespace

std::unique_ptr<ParportBackend> makeSimParportBackend() {
    return std::make_unique<SimParportBackend>();
}

} // namespace vsq::parport
