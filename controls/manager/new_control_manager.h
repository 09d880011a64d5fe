#pragma once
// How the manager library makes its companion records; its clients do not see
// this header, so they cannot make one.

#include "controls/manager/control_manager.h"

#include <memory>

namespace orvessa {

std::shared_ptr<ControlManager> newControlManager();

} // namespace orvessa
