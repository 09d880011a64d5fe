#pragma once
// Making a window's widgets under the names its code knows them by.

#include <utility>

namespace trelvane {

// A new widget made from `args` (the parent last, as Qt takes it), under the
// object name its window knows it by.
template <class W, class... Args> W* newNamed(const char* name, Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
}

} // namespace trelvane
