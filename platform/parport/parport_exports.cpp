// The exported functions of the parallel-port driver library. The backend is
// chosen from VSQ_PARPORT when the library is first used; an unknown name
// leaves no backend, and ParallelPortDriverProblem says why.

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

struct Chosen {
    std::unique_ptr<ParportBackend> backend;
    bool made = false;
};

// The library's one choice, made at the first call that needs it. Constant
// initialised, so an access at every register write checks no guard.
constinit Chosen theChoice;

// Why no backend was made; asked for off the hot path only. A string cannot
// be constant initialised by every compiler's library, so it stays out of the
// choice itself.
std::string& choiceProblem() {
    static std::string problem;
    return problem;
}

[[gnu::cold, gnu::noinline]] void choose(Chosen& state) {
    const char* name = std::getenv("VSQ_PARPORT");
    const std::string wanted = name ? name : "";
    state.backend = makeParportBackend(wanted);
    choiceProblem() = state.backend ? std::string()
                                    : "unknown parallel-port driver \"" + wanted +
                                          "\" (VSQ_PARPORT: sim or ppdev)";
    state.made = true;
}

Chosen& chosen() {
    if (!theChoice.made) [[unlikely]]
        choose(theChoice);
    return theChoice;
}

ParportBackend* backend() {
    return chosen().backend.get();
}

} // namespace

void useParportBackend(std::unique_ptr<ParportBackend> backend) {
    Chosen& state = chosen();
    state.made = backend != nullptr;
    choiceProblem().clear();
    state.backend = std::move(backend);
}

} // namespace vsq::parport

using vsq::parport::backend;

#define VSQ_EXPORT extern "C" __attribute__((visibility("default")))

// Beside the six driver functions: why the driver cannot work (an unknown VSQ_PARPORT), or
// null when it can. Callers that know it ask before they count the ports.
VSQ_EXPORT const char* ParallelPortDriverProblem() {
    vsq::parport::chosen();
    const std::string& problem = vsq::parport::choiceProblem();
    return problem.empty() ? nullptr : problem.c_str();
}

VSQ_EXPORT std::int32_t GetParallelPortCount() {
    return backend() ? backend()->portCount() : 0;
}

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
    auto* chosen = backend();
    return chosen ? chosen->inByte(address) : 0xFF;
}

VSQ_EXPORT void OutByte(std::uint16_t address, std::uint8_t value) {
    if (auto* chosen = backend())
        chosen->outByte(address, value);
}
