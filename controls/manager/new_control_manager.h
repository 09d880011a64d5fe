#pragma once
// How the manager library makes its companion records; its clients do not see
// this header, so they cannot make one. Nor can a client that declares the maker
// itself: the maker stays out of the library's exported symbols, so such a
// client does not link.

#include "controls/manager/control_manager.h"

#include <memory>

namespace orvessa {

[[gnu::visibility("hidden")]] std::shared_ptr<ControlManager> newControlManager();

} // namespace orvessa
