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
    int portCount() override { return pc().parallelPortCount(); }
    std::optional<std::uint32_t> baseAddress(int portNumber) override {
        return pc().parallelPortBase(portNumber);
    }
    bool claim(int portNumber) override { return pc().claimParallelPort(portNumber); }
    void release(int portNumber) override { pc().releaseParallelPort(portNumber); }
    std::uint8_t inByte(std::uint16_t address) override {
        const std::uint8_t value = pc().in8(address);
        return isControl(address) ? value & kControlLines : value;
    }
    void outByte(std::uint16_t address, std::uint8_t value) override {
        pc().out8(address, isControl(address) ? value & kControlLines : value);
    }

private:
    static constexpr std::uint8_t kControlLines = 0x0F;

    static bool isControl(std::uint16_t address) {
        for (int number = 1; number <= pc().parallelPortCount(); ++number)
            if (pc().parallelPortBase(number) == static_cast<std::uint32_t>(address - 2))
                return true;
        return false;
    }
    static sim::SimulatedPc& pc() { return sim::SimulatedPc::instance(); }
};

} // namespace

std::unique_ptr<ParportBackend> makeSimParportBackend() {
    return std::make_unique<SimParportBackend>();
}

} // namespace vsq::parport
