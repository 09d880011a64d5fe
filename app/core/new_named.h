#pragma once
// Making a window's widgets under the object names the window's code knows
// them by.

#include <QString>

#include <utility>

namespace trelvane {

// A new widget made from `args` (the parent last, as Qt takes it), named `name`.
template <class W, class... Args> W* newNamed(const QString& name, Args&&... args) {
    auto* widget = new W(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
}

} // namespace trelvane
