#include "app/device/com_port.h"

#include <memory>

namespace trelvane {
namespace {

std::shared_ptr<brisendal::QVSComPort>& root() {
    static std::shared_ptr<brisendal::QVSComPort> instance;
    return instance;
}

} // namespace

brisendal::QVSComPort& gComPort() {
    if (!root()) {
        root() = std::make_shared<brisendal::QVSComPort>();
    }
    return *root();
}

bool comPortCreated() {
    return root() != nullptr;
}

void resetComPortForTests() {
    root().reset();
}

} // namespace trelvane
