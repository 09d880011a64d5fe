// The simulated PC's parallel ports, as the driver library presents them.

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
    std::uint8_t inByte(std::uint16_t address) override { return pc().in8(address); }
    void outByte(std::uint16_t address, std::uint8_t value) override { pc().out8(address, value); }

private:
    static sim::SimulatedPc& pc() { return sim::SimulatedPc::instance(); }
};

} // namespace

std::unique_ptr<ParportBackend> makeSimParportBackend() {
    return std::make_unique<SimParportBackend>();
}

} // namespace vsq::parport
