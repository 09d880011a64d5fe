#include "platform/port_io.h"

#include "platform/native_port_io.h"
#include "platform/qtest_port_io.h"
#include "platform/sim_port_io.h"

#include <cstdlib>

namespace vsq::platform {
namespace {

std::shared_ptr<PortIoBackend>& current() {
    static std::shared_ptr<PortIoBackend> backend;
    return backend;
}

} // namespace

std::shared_ptr<PortIoBackend> makePortIoBackend(const std::string& name) {
    if (name.empty() || name == "sim")
        return std::make_shared<SimPortIo>();
    if (name == "native")
        return std::make_shared<NativePortIo>();
    if (name == "qtest")
        return std::make_shared<QtestPortIo>();
    throw PortIoError("unknown port I/O backend \"" + name +
                      "\" (VSQ_PORTIO: sim, native or qtest)");
}

PortIoBackend& portIo() {
    auto& backend = current();
    if (!backend) {
        const char* chosen = std::getenv("VSQ_PORTIO");
        backend = makePortIoBackend(chosen ? chosen : "");
    }
    return *backend;
}

std::shared_ptr<PortIoBackend> installPortIo(std::shared_ptr<PortIoBackend> backend) {
    auto previous = std::move(current());
    current() = std::move(backend);
    return previous;
}

} // namespace vsq::platform
