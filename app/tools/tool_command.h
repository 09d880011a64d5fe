#pragma once
// The handlers of a tool window's controls, run as window commands.

#include "app/core/command_runner.h"
#include "app/tools/fill_guard.h"

namespace trelvane {

// The handler of a user's change to a control: runs `work` unless the window
// is filling its controls, and shows a failure instead of passing it on.
template <class Work> auto userChange(FillGuard& fill, Work work) {
    return fill.unlessFilling([work = std::move(work)] { runToolCommand({}, work); });
}

} // namespace trelvane
