// The exported functions of the parallel-port driver library. The backend is
// chosen from VSQ_PARPORT when the library is first used.

#include "platform/parallel_port_driver.h"
#include "platform/parport/parport_backend.h"

#include <cstdlib>

namespace vsq::parport {

std::unique_ptr<ParportBackend> makeParportBackend(const std::string& name) {
    if (name.empty() || name == "sim")
        return makeSimParportBackend();
    if (name == "ppdev")
        return makePpdevParportBackend();
    return nullptr;
}

namespace {

ParportBackend* backend() {
    static std::unique_ptr<ParportBackend> chosen = [] {
        const char* name = std::getenv("VSQ_PARPORT");
        return makeParportBackend(name ? name : "");
    }();
    return chosen.get();
}

} // namespace
} // namespace vsq::parport

using vsq::parport::backend;

#define VSQ_EXPORT extern "C" __attribute__((visibility("default")))

VSQ_EXPORT std::int32_t GetParallelPortCount() { return backend() ? backend()->portCount() : 0; }

VSQ_EXPORT std::int32_t GetParallelPortInfo(std::int32_t portNumber,
                                            vsq::platform::PortInformation* record) {
    if (record == nullptr || backend() == nullptr || record->recordSize < 12)
        return 0;
    auto base = backend()->baseAddress(portNumber);
    if (!base)
        return 0;
    record->baseAddress = *base;
    return 1;
}

VSQ_EXPORT std::int32_t ClaimParallelPort(std::int32_t portNumber, std::int32_t /*mode*/) {
    return (backend() && backend()->claim(portNumber)) ? 1 : 0;
}

VSQ_EXPORT std::int32_t ReleaseParallelPort(std::int32_t portNumber) {
    if (backend())
        backend()->release(portNumber);
    return 1;
}

VSQ_EXPORT std::uint8_t InByte(std::uint16_t address) {
    return backend() ? backend()->inByte(address) : 0xFF;
}

VSQ_EXPORT void OutByte(std::uint16_t address, std::uint8_t value) {
    if (backend())
        backend()->outByte(address, value);
}
