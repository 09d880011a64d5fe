// The simulated PC's parallel ports, as the driver library presents them: as
// ppdev does a real port, so a test on the simulator means what it means on
// hardware. Through ppdev only the four line bits of the control register
// (0-3) are read and written; the others read 0 and are kept by the kernel.

#include "platform/parport/parport_backend.h"
#include "sim/simulated_pc.h"

#include <vector>

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
    std::uint8_t inByte(std::uint16_t address) override {
        const std::uint8_t value = pc_.in8(address);
        return isControl(address) ? value & kControlLines : value;
    }
    void outByte(std::uint16_t address, std::uint8_t value) override {
        pc_.out8(address, isControl(address) ? value & kControlLines : value);
    }

private:
    static constexpr std::uint8_t kControlLines = 0x0F;

    // The control registers' addresses are resolved once per configuration of
    // the PC, not at every access.
    bool isControl(std::uint16_t address) {
        if (configuration_ != pc_.configurations())
            resolveControls();
        for (const std::uint32_t control : controls_)
            if (control == address)
                return true;
        return false;
    }
    void resolveControls() {
        controls_.clear();
        for (int number = 1; number <= pc_.parallelPortCount(); ++number)
            if (const auto base = pc_.parallelPortBase(number))
                controls_.push_back(*base + 2);
        configuration_ = pc_.configurations();
    }

    sim::SimulatedPc& pc_ = sim::SimulatedPc::instance();
    std::vector<std::uint32_t> controls_;
    std::uint64_t configuration_ = 0; // none resolved yet: the PC counts from 1
};

} // namespace

std::unique_ptr<ParportBackend> makeSimParportBackend() {
    return std::make_unique<SimParportBackend>();
}

} // namespace vsq::parport
