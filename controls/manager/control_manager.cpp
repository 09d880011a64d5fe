#include "controls/manager/control_manager.h"

#include "controls/manager/new_control_manager.h"

namespace orvessa {

ControlManager::ControlManager() : identity_(Identity::create()), control_(Control::create()) {}

ControlManager::~ControlManager() {
    control_.reset();
    identity_.reset();
}

std::shared_ptr<ControlManager> ControlManager::create() {
    return std::shared_ptr<ControlManager>(new ControlManager);
}

std::shared_ptr<ControlManager> newControlManager() {
    return ControlManager::create();
}

} // namespace orvessa
