#pragma once
// A child object read through its parent's property: an empty reference (the
// child was replaced by nothing) is the failed status of the read, so no
// client dereferences a null object.

#include "comms/com_error.h"

#include <memory>

namespace brisendal {

template <typename Child> std::shared_ptr<Child> RequireChild(const std::shared_ptr<Child>& child) {
    if (!child)
        throw ComError(91, "Object variable or With block variable not set");
    return child;
}

} // namespace brisendal
